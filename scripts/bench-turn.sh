#!/usr/bin/env bash
# Turning a model: frames per second while a left drag turns it, the viewer
# against f3d (a general viewer) on the same meshes, in interleaved rounds.
# The viewer runs with KOVOMODEL_BENCH_TURN=STEPS (and KOVOMODEL_BENCH_TURN_MODE
# for wire and points): after its first frame it feeds STEPS drag steps
# through its message queue, one per frame, and prints the median time
# between those frames. f3d plays an interaction log (VTK's "# StreamVersion
# 1.1" event lines: a press, STEPS mouse moves, a release, Escape) on the mesh
# written as OBJ; its time per step is the wall time of a run with STEPS moves
# less that of a run with none, over STEPS. Mesa's GALLIUM_HUD=frametime with
# GALLIUM_HUD_DUMP_DIR records every frame of either program on llvmpipe: the
# frames are counted, so that a step that draws no frame, or two, shows, and
# the median of the recorded frame times is printed beside each figure.
# Modes: solid, wire, points; f3d has no pure outline or point mode here, so
# it shows wire as the surface with its edges (--edges) and points as point
# sprites of size 1 (--point-sprites).
# Models: the pyramid, the 200k- and 2M-triangle spheres; BIG=1 adds a
# 20M-triangle sphere (about 700 MB of text), turned by the viewer alone, and
# times the first frame and peak memory of the 2M and 20M spheres.
# BASELINE=BUILD_DIR adds another build of the viewer (one that has the
# switch), run in the same rounds; the ratio of the two is printed per case.
# Prints frames per second (1000 / median ms), the peak resident memory of
# the viewer's runs, and the ratios, medians over the rounds.
# Without a $DISPLAY it starts a private Xvfb.
#
# usage: [STEPS=N] [BIG=1] [BASELINE=BUILD_DIR] scripts/bench-turn.sh [BUILD_DIR] [ROUNDS]
#        (default 30 steps, build, 3 rounds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
rounds=${2:-3}
steps=${STEPS:-30}
big=${BIG:-0}
baseline=${BASELINE:-}
if [ -n "$baseline" ]; then
  baseline=$(realpath "$baseline")
  [ -x "$baseline/app/kovomodel" ] || { echo "BASELINE $baseline has no app/kovomodel" >&2; exit 1; }
fi
command -v f3d >/dev/null || { echo "f3d is not installed (scripts/install-deps.sh)" >&2; exit 1; }
cd "$root"
cmake --build "$build" -j "$(nproc)" --target kovomodel WriteSphere >/dev/null

source "$root/scripts/private-display.sh"
start_scratch_and_display

cp samples/pyramida.dat "$work/pyramid.dat"
"$build/bench/WriteSphere" small "$work/sphere-200k.dat"
"$build/bench/WriteSphere" large "$work/sphere-2m.dat"
if [ "$big" = 1 ]; then
  # About 10 times the 2M sphere's triangles: sqrt(10) times its rings and sectors.
  "$build/bench/WriteSphere" 2498 4003 "$work/sphere-20m.dat"
fi
mkdir -p "$work/config"
export XDG_CONFIG_HOME="$work/config" LIBGL_ALWAYS_SOFTWARE=1

python3 "$root/scripts/bench-turn.py" "$work" "$rounds" "$steps" "$big" \
  "$root/$build/app/kovomodel" "${baseline:+$baseline/app/kovomodel}"
