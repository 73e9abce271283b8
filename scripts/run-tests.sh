#!/usr/bin/env bash
# Runs every test of a build under a private Xvfb with Mesa's software
# renderer, so that pixel and GUI tests need no display of the machine.
# usage: scripts/run-tests.sh BUILD [CTEST_ARGUMENTS...], for example
# scripts/run-tests.sh build -L '^model$' for one folder's tests.
set -euo pipefail
build=${1:-build}
shift || true
cd "$(dirname "$0")/.."
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe
# Mesa, fontconfig, the X libraries and the desktop toolkit keep
# process-lifetime allocations: scripts/lsan.supp lists them.
# use_tls=0: the leak checker's walk of the thread-local blocks of libraries
# loaded at run time (the GL driver's) can take a block's bounds from the
# wrong place and crash at exit, depending on where the heap put the block.
# Unscanned, thread-local memory keeps nothing alive, so the check can only
# report more; the dynamic loader's lasting allocations, which only that
# memory leads to, are suppressed too.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp"
# -noreset: the server would otherwise reset, refusing new clients for a
# moment, each time its last client leaves, which short GUI tests do often.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600 "$@"
