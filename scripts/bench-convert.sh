#!/usr/bin/env bash
# kovomodel-convert against two references, on the 2M-triangle sphere
# (bench/WriteSphere large):
#
#   scripts/bench-convert.sh [-n RUNS] [BUILD]      (default: 7 runs of build)
#
#   dat->stl   kovomodel-convert sphere.dat sphere.stl (binary), against
#              kovomodel-info sphere.dat, which only checks the file.
#              Goal: at most 1.5x.
#   obj->dat   kovomodel-convert sphere.obj sphere.dat, against
#              assimp export sphere.obj sphere.stl -fstlb (assimp-utils).
#              Goal: no slower, at most 1.0x.
# The runs are interleaved, each output a new file (removed before the run,
# so no run pays for replacing an old one), and the figures are medians of
# wall time.
set -euo pipefail
runs=7
if [ "${1:-}" = "-n" ]; then
  runs=$2
  shift 2
fi
build=${1:-build}
for program in tools/kovomodel-convert tools/kovomodel-info bench/WriteSphere; do
  [ -x "$build/$program" ] || { echo "no $build/$program: build it first" >&2; exit 1; }
done
command -v assimp >/dev/null || { echo "no assimp: install assimp-utils" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/WriteSphere" large "$work/sphere.dat"
"$build/tools/kovomodel-convert" "$work/sphere.dat" "$work/sphere.obj"

python3 - "$runs" "$work" "$build" <<'PYTHON'
import os, statistics, subprocess, sys, time
runs, work, build = int(sys.argv[1]), sys.argv[2], sys.argv[3]
convert, info = build + "/tools/kovomodel-convert", build + "/tools/kovomodel-info"
w = lambda name: os.path.join(work, name)
cases = {
    "dat->stl": ([convert, w("sphere.dat"), w("out.stl")], [info, w("sphere.dat")], 1.5),
    "obj->dat": ([convert, w("sphere.obj"), w("out.dat")],
                 ["assimp", "export", w("sphere.obj"), w("ref.stl"), "-fstlb"], 1.0),
}
def timed(args):
    for name in ("out.stl", "out.dat", "ref.stl"):
        if os.path.exists(w(name)):
            os.remove(w(name))
    start = time.monotonic()
    subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.monotonic() - start
times = {}
for _ in range(runs):
    for case, (ours, reference, _) in cases.items():
        times.setdefault((case, "ours"), []).append(timed(ours))
        times.setdefault((case, "ref"), []).append(timed(reference))
failed = False
print("%-10s %12s %12s %8s %6s" % ("case", "convert s", "reference s", "ratio", "goal"))
for case, (_, _, goal) in cases.items():
    ours, ref = statistics.median(times[(case, "ours")]), statistics.median(times[(case, "ref")])
    ratio = ours / ref
    failed = failed or ratio > goal
    print("%-10s %12.3f %12.3f %7.2fx %5.1fx%s" % (case, ours, ref, ratio, goal,
                                                  "" if ratio <= goal else "  MISSED"))
sys.exit(1 if failed else 0)
PYTHON
echo "machine: $(nproc) cores, $(uptime | sed 's/.*load average/load average/')"
