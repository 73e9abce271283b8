#!/usr/bin/env bash
# Start-up time: from starting kovomodel on samples/dom.dat to its first frame
# on screen. KOVOMODEL_EXIT_AFTER_FIRST_FRAME=1 makes the program close its
# window right after presenting the first frame, so the time of a whole run is
# an upper bound of the start-up time (it includes closing). Prints each run
# and the median of RUNS (default 10) in milliseconds; the goal is < 250 ms.
# Without a $DISPLAY it starts a private Xvfb.
#
# usage: scripts/bench-startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
runs=${2:-10}
binary="$root/$build/app/kovomodel"
[ -x "$binary" ] || { echo "no program at $binary: build it first" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  exec 3<> "$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    number=$(head -n1 "$work/displayfd" 2>/dev/null || true)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$number"
fi

cp "$root/samples/dom.dat" "$work/"
mkdir -p "$work/config"
export XDG_CONFIG_HOME="$work/config" LIBGL_ALWAYS_SOFTWARE=1 KOVOMODEL_EXIT_AFTER_FIRST_FRAME=1

times=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  (cd "$work" && "$binary") || { echo "run $i failed" >&2; exit 1; }
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  times+=("$ms")
  echo "run $i: $ms ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}')
echo "median start-up to first frame: $median ms (goal < 250 ms)"
