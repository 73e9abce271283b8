#!/usr/bin/env bash
# Start-up to first frame, against the floor of this stack. Builds the floor
# program (bench/FirstFrameFloor.cpp: a bare toolkit OpenGL window that draws
# one lit triangle and exits after its first frame) and the sphere writer,
# writes the 200k- and 2M-triangle spheres, then times whole processes in
# interleaved rounds: the floor, and the viewer started on dom.dat alone, on
# the pyramid, and on each sphere. KOVOMODEL_EXIT_AFTER_FIRST_FRAME=1 makes
# the viewer close its window right after presenting its first frame, so a
# run includes closing too. Prints each case's median wall time, its ratio to
# the floor's median, its median peak resident memory and its median processor
# time (user and system, every thread of the process, the X server's not
# included); then that processor time shared out over every core, the least
# wall time the case's work could take here, against the floor; then, per case,
# the ratio to the floor within each round (the runs of one round are seconds
# apart, so a slow drift of the machine cancels out) as its median and
# quartiles.
# Every run starts after a pause of PAUSE seconds (default 3), so that the
# memory the run before it freed has gone back to the virtual machine's host,
# as it has when a user starts the program; back to back, runs reuse memory
# that is still warm and come out faster than any real start.
# BASELINE=PATH adds another build of the viewer (an earlier revision, say),
# started on each model in the same rounds, so that before and after are
# measured in one invocation, and prints for each model the difference of
# the two builds within each round, as its median and quartiles: a change of
# a few milliseconds shows there long before it stands out of the medians.
# Every other round runs the cases in the opposite order, so that no case
# always follows the same one.
# Without a $DISPLAY it starts a private Xvfb.
#
# usage: [PAUSE=SECONDS] [BASELINE=VIEWER] scripts/bench-first-frame.sh [BUILD_DIR] [ROUNDS]
#        (default build, 11)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
rounds=${2:-11}
pause=${PAUSE:-3}
baseline=${BASELINE:-}
if [ -n "$baseline" ]; then
  baseline=$(realpath "$baseline")
  [ -x "$baseline" ] || { echo "BASELINE $baseline is not a program" >&2; exit 1; }
fi
cd "$root"
cmake --build "$build" -j "$(nproc)" --target kovomodel FirstFrameFloor WriteSphere >/dev/null

source "$root/scripts/private-display.sh"
start_scratch_and_display

cp samples/dom.dat samples/pyramida.dat "$work/"
"$build/bench/WriteSphere" small "$work/sphere-200k.dat"
"$build/bench/WriteSphere" large "$work/sphere-2m.dat"
mkdir -p "$work/config"
export XDG_CONFIG_HOME="$work/config" LIBGL_ALWAYS_SOFTWARE=1 KOVOMODEL_EXIT_AFTER_FIRST_FRAME=1

python3 - "$work" "$rounds" "$root/$build/bench/FirstFrameFloor" "$root/$build/app/kovomodel" "$pause" "$baseline" <<'PY'
import os, statistics, subprocess, sys, time

work, rounds, floor, viewer = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
pause, baseline = float(sys.argv[5]), sys.argv[6]
models = [
    ("dom.dat", [], "dom.dat"),
    ("pyramid", ["pyramida.dat"], "pyramid"),
    ("sphere, 200k triangles", ["sphere-200k.dat"], "200k"),
    ("sphere, 2M triangles", ["sphere-2m.dat"], "2M"),
]
cases = [("floor", [floor])] + [(name, [viewer] + arguments) for name, arguments, _ in models]
if baseline:
    cases += [(f"{short}, baseline", [baseline] + arguments) for _, arguments, short in models]

def run(command):
    time.sleep(pause)
    start = time.perf_counter()
    process = subprocess.Popen(command, cwd=work)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{' '.join(command)} failed with status {status}")
    cpu_seconds = usage.ru_utime + usage.ru_stime
    return elapsed * 1000.0, usage.ru_maxrss / 1024.0, cpu_seconds * 1000.0

def quartiles(values):
    """Lower quartile, median and upper quartile; one value stands for all three."""
    return statistics.quantiles(values, n=4) if len(values) > 1 else values * 3

times = {name: [] for name, _ in cases}
peaks = {name: [] for name, _ in cases}
processor = {name: [] for name, _ in cases}
for round_number in range(rounds):
    for name, command in cases if round_number % 2 == 0 else cases[::-1]:
        ms, mb, cpu_ms = run(command)
        times[name].append(ms)
        peaks[name].append(mb)
        processor[name].append(cpu_ms)

floor_median = statistics.median(times["floor"])
print(f"{'case':<26}{'median':>10}{'to floor':>10}{'peak RSS':>11}{'processor':>12}"
      f"   ({rounds} interleaved rounds)")
for name, _ in cases:
    median = statistics.median(times[name])
    print(f"{name:<26}{median:>8.0f} ms{median / floor_median:>9.2f}x"
          f"{statistics.median(peaks[name]):>8.0f} MB{statistics.median(processor[name]):>9.0f} ms")

# However well a run spread its work, it could not end before its processor
# time shared out evenly over every core; against the floor, that is the
# least ratio the case could reach on this machine without doing less work.
cores = os.cpu_count() or 1
print(f"\n{f'processor time / {cores} cores':<26}{'median':>10}{'to floor':>10}")
for name, _ in cases[1:]:
    spread = statistics.median(processor[name]) / cores
    print(f"{name:<26}{spread:>8.0f} ms{spread / floor_median:>9.2f}x")

print(f"\n{'to the floor, per round':<26}{'median':>10}{'quartiles':>16}")
for name, _ in cases[1:]:
    ratios = [t / f for t, f in zip(times[name], times["floor"])]
    low, mid, high = quartiles(ratios)
    print(f"{name:<26}{mid:>9.2f}x{low:>9.2f}-{high:.2f}x")

if baseline:
    print(f"\n{'this build - baseline':<26}{'median':>10}{'quartiles':>20}")
    for name, _, short in models:
        differences = [t - b for t, b in zip(times[name], times[f"{short}, baseline"])]
        low, mid, high = quartiles(differences)
        print(f"{name:<26}{mid:>7.1f} ms{low:>9.1f} to {high:.1f} ms")
PY
