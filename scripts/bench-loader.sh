#!/usr/bin/env bash
# Loader figures, from whole runs of tools/kovomodel-info and from LoaderBench.
#
#   [PAUSE=SECONDS] scripts/bench-loader.sh [-n RUNS] [BUILD...]
#                                   (default: 9 runs of build, no pause)
#
# For each build, interleaved, RUNS times each, median wall time, processor
# time (user and system, all threads) and peak memory (maximum resident set)
# of kovomodel-info on:
#   pyramid      samples/pyramida.dat: the program's own memory, the baseline
#   sphere-200k  199,200 triangles, 6.4 MB (bench/WriteSphere small)
#   sphere-2m    1,997,748 triangles, 70 MB (bench/WriteSphere large)
#   junk         a 1.5 GB file that starts with "junk" (sparse)
#   counts       a 1.5 GB file whose header claims 2,147,483,647 vertices
# "extra" is the peak memory above the pyramid's: what the model itself costs.
# PAUSE=SECONDS waits that long before every run, so that each one starts on
# memory the virtual machine's host no longer holds, as a real start does (see
# scripts/bench-first-frame.sh); without it, runs reuse warm memory.
# Goals: a junk or counts file refused in < 0.1 s with < 20 MB extra.
# Then each build's LoaderBench: Model::Open beside a bare std::from_chars scan
# of the same text, and the ratio (goal >= 0.35x).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=9
if [ "${1:-}" = "-n" ]; then
  runs=$2
  shift 2
fi
builds=("${@:-build}")
for build in "${builds[@]}"; do
  [ -x "$build/tools/kovomodel-info" ] && [ -x "$build/bench/WriteSphere" ] ||
    { echo "no $build/tools/kovomodel-info or $build/bench/WriteSphere: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${builds[0]}/bench/WriteSphere" small "$work/sphere-200k.dat"
"${builds[0]}/bench/WriteSphere" large "$work/sphere-2m.dat"
printf 'junk' >"$work/junk.dat"
printf '1\n2147483647 1\n' >"$work/counts.dat"
truncate -s 1500M "$work/junk.dat" "$work/counts.dat"
cp "$root/samples/pyramida.dat" "$work/pyramid.dat"

# Each run is a child of its own, waited for with wait4, whose usage gives the
# peak memory of that run alone.
python3 - "$runs" "$work" "${PAUSE:-0}" "${builds[@]}" <<'PYTHON'
import os, statistics, subprocess, sys, time
runs, work, pause, builds = int(sys.argv[1]), sys.argv[2], float(sys.argv[3]), sys.argv[4:]
models = ["pyramid", "sphere-200k", "sphere-2m", "junk", "counts"]
results = {}
for _ in range(runs):
    for model in models:
        for build in builds:
            time.sleep(pause)
            start = time.monotonic()
            child = subprocess.Popen([build + "/tools/kovomodel-info", work + "/" + model + ".dat"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            _, _, usage = os.wait4(child.pid, 0)
            results.setdefault((build, model), []).append(
                (time.monotonic() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss))
print("%-24s %-12s %9s %9s %10s %10s" % ("build", "file", "wall s", "cpu s", "peak MB", "extra MB"))
for (build, model), values in results.items():
    base = statistics.median(kb for _, _, kb in results[(build, "pyramid")])
    peak = statistics.median(kb for _, _, kb in values)
    print("%-24s %-12s %9.3f %9.3f %10.1f %10.1f" % (build, model,
                                                     statistics.median(w for w, _, _ in values),
                                                     statistics.median(c for _, c, _ in values),
                                                     peak / 1024, (peak - base) / 1024))
PYTHON
for build in "${builds[@]}"; do
  if [ -x "$build/bench/LoaderBench" ]; then
    echo "== $build/bench/LoaderBench"
    "$build/bench/LoaderBench" 2>/dev/null | tail -n 2
  fi
done
echo "machine: $(nproc) cores, $(uptime | sed 's/.*load average/load average/')"
