#!/usr/bin/env bash
# Runs every test of a build under a private Xvfb with Mesa's software
# renderer, so that pixel and GUI tests need no display of the machine.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe
# Mesa, fontconfig and the X libraries keep process-lifetime allocations.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
