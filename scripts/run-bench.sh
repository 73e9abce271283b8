#!/usr/bin/env bash
# Runs every benchmark program of a build: scripts/run-bench.sh BUILD.
# Programs that draw need a display; they get a private Xvfb when none is set.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
shopt -s nullglob
programs=("$build"/bench/*Bench)
[ ${#programs[@]} -gt 0 ] || { echo "run-bench: no benchmark programs in $build/bench" >&2; exit 1; }
status=0
for program in "${programs[@]}"; do
  echo "== $(basename "$program")"
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$program" || status=1
  else
    "$program" || status=1
  fi
done
exit $status
