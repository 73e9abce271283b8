#!/usr/bin/env bash
# Fuzzes the model loader: scripts/run-fuzz.sh BUILD SECONDS.
# Seeds a scratch corpus under BUILD with the samples and the loader fixtures,
# runs BUILD/fuzz/loader_fuzz for SECONDS seconds, and fails on any crash,
# sanitizer report, leak or timeout (libFuzzer then exits non-zero).
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
cd "$(dirname "$0")/.."
fuzzer="$build/fuzz/loader_fuzz"
[ -x "$fuzzer" ] || { echo "run-fuzz: $fuzzer is not built" >&2; exit 1; }

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
rm -rf "$corpus"
mkdir -p "$corpus" "$artifacts"
cp samples/*.dat "$corpus"/
cp tests/data/*.dat "$corpus"/ 2>/dev/null || true

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
# libFuzzer reports every new input it keeps; the log holds that, and only a
# failure's tail or the final figures are shown.
log="$build/fuzz.log"
if ! "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
  tail -n 80 "$log"
  echo "run-fuzz: the loader failed; the input that did it is in $artifacts" >&2
  exit 1
fi
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$log" || true
echo "run-fuzz: no crash in $seconds seconds"
