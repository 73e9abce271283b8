#!/usr/bin/env bash
# Runs the whole test suite of a build RUNS times in a row (default 10) while
# busy loops keep every core occupied, and stops at the first failing run.
# A test that only passes when its events arrive quickly fails here.
# With --disk one more process keeps writing and flushing a file in the build
# folder, as a package manager does, so that tests also wait on the disk.
#
# Usage: scripts/stress-tests.sh [--disk] [BUILD] [RUNS]
set -euo pipefail
disk=false
if [[ ${1:-} == --disk ]]; then
  disk=true
  shift
fi
build=${1:-build}
runs=${2:-10}
cd "$(dirname "$0")/.."
log_dir=$(mktemp -d "${TMPDIR:-/tmp}/kovo-stress-XXXXXX")

load_pids=()
stop_load() {
  for pid in "${load_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap stop_load EXIT

cores=$(nproc)
for _ in $(seq "$cores"); do
  # One busy loop per core, at normal priority, for as long as the runs last.
  bash -c 'while :; do :; done' &
  load_pids+=("$!")
done

if $disk; then
  disk_dir=$(mktemp -d "$build/stress-disk-XXXXXX")
  # 256 MiB at a time, flushed, then removed: the disk stays busy without
  # filling up.
  bash -c 'while :; do yes kovo | head -c 268435456 >"$1/load"; sync "$1/load"; rm -f "$1/load"; done' \
    disk-load "$disk_dir" &
  load_pids+=("$!")
  trap 'stop_load; rm -rf "$disk_dir"' EXIT
fi

echo "stress: $runs runs of the suite of $build, $cores busy loops$($disk && echo " and a disk writer") beside it; logs in $log_dir"
start=$SECONDS
for run in $(seq "$runs"); do
  log="$log_dir/run-$run.log"
  run_start=$SECONDS
  if ! scripts/run-tests.sh "$build" >"$log" 2>&1; then
    echo "stress: run $run of $runs FAILED after $((SECONDS - run_start)) s; its log: $log" >&2
    grep -E "^[[:space:]]*[0-9]+ - |tests failed|Failed|FAILED" "$log" | tail -20 >&2 || true
    exit 1
  fi
  echo "stress: run $run of $runs passed in $((SECONDS - run_start)) s"
done
echo "stress: all $runs runs passed in $((SECONDS - start)) s"
rm -rf "$log_dir"
