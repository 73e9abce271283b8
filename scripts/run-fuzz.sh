#!/usr/bin/env bash
# Fuzzes the model loader, the converter's model file writer, the profile's
# reader and writer, and the command-line parser: scripts/run-fuzz.sh BUILD
# SECONDS. SECONDS (default 60) is the time for all four together: a third
# goes to the loader, a sixth to the writer, a third to the profile and the
# rest to the command line. Each
# target runs on a scratch corpus under BUILD, seeded with small inputs, and
# the run fails on any crash, sanitizer report, leak or timeout (libFuzzer
# then exits non-zero).
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
cd "$(dirname "$0")/.."

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"

# Makes an empty corpus folder for a target and prints its name.
corpus() {
  local folder="$build/fuzz-corpus/$1"
  rm -rf "$folder"
  mkdir -p "$folder"
  echo "$folder"
}

# Runs BUILD/fuzz/TARGET for SECONDS on its corpus. libFuzzer reports every
# new input it keeps; the log holds that, and only a failure's tail or the
# final figures are shown.
fuzz() {
  local target=$1 time=$2
  local fuzzer="$build/fuzz/$target" artifacts="$build/fuzz-artifacts/$target"
  local log="$build/fuzz-$target.log"
  [ -x "$fuzzer" ] || { echo "run-fuzz: $fuzzer is not built" >&2; exit 1; }
  mkdir -p "$artifacts"
  echo "== $target, $time seconds"
  if ! "$fuzzer" -max_total_time="$time" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$build/fuzz-corpus/$target" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "run-fuzz: $target failed; the input that did it is in $artifacts" >&2
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$log" || true
}

loader=$(corpus loader_fuzz)
cp samples/*.dat "$loader"/
cp tests/data/*.dat "$loader"/ 2>/dev/null || true
cp samples/*.dat "$(corpus dat_writer_fuzz)"/
# The profile's input: the file's text up to a lone backslash, then edits
# (action, section, key and value, each text ended by a backslash).
printf '[Recent File List]\nFile1=/m/a.dat\n[Settings]\nPreviewPages=3\n\\x\001Recent File List\\x File2\\x /m/b.dat\\x' \
  >"$(corpus profile_fuzz)/seed"
printf -- '-pt\\x file.dat\\x printer\\x driver\\x /Unregister\\x /home/u/dom.dat' \
  >"$(corpus command_line_fuzz)/seed"

fuzz loader_fuzz $((seconds / 3))
fuzz dat_writer_fuzz $((seconds / 6))
fuzz profile_fuzz $((seconds / 3))
fuzz command_line_fuzz $((seconds - seconds / 3 - seconds / 6 - seconds / 3))
echo "run-fuzz: no crash in $seconds seconds"
