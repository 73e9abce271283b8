#!/usr/bin/env bash
# What a hostile profile of 16 MiB, the largest the program reads, costs at
# start and at exit: scripts/bench-profile.sh [BUILD] [REPETITIONS].
# Runs BUILD/bench/ProfileBench with its benchmarks interleaved at random,
# REPETITIONS times each (default 5), and prints for each shape of file the
# median wall and CPU times, and the wall time as a multiple of plainly
# reading (start) or reading and replacing (exit) a file of the same size,
# measured in the same run. The goal is < 500 ms for every shape, each way.
set -euo pipefail
build=${1:-build}
repetitions=${2:-5}
cd "$(dirname "$0")/.."
program="$build/bench/ProfileBench"
[ -x "$program" ] || { echo "bench-profile: $program is not built" >&2; exit 1; }
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$program" --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$json"
python3 - "$json" <<'EOF'
import json
import sys

medians = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
           if b.get("aggregate_name") == "median"}
floors = {"Start": medians["ReadPlain"]["real_time"], "Exit": medians["RewritePlain"]["real_time"]}
print(f"plain read {floors['Start']:.1f} ms, plain read and replace {floors['Exit']:.1f} ms")
print(f"{'':6} {'shape':20} {'wall ms':>8} {'cpu ms':>8} {'x plain':>8}")
for name, run in sorted(medians.items(), key=lambda item: (item[0][0] != "S", item[0])):
    step = name.split("/")[0]
    if step in floors:
        ratio = run["real_time"] / floors[step]
        print(f"{step:6} {run.get('label', ''):20} {run['real_time']:8.1f} {run['cpu_time']:8.1f} "
              f"{ratio:8.1f}")
EOF
