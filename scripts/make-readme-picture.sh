#!/usr/bin/env bash
# Makes the picture of the sample house that the README shows, with the
# render tool of a build, the way a user makes one from the shell:
#   scripts/make-readme-picture.sh [BUILD_DIR]
# It needs no display. The picture depends on the renderer's version only in
# the last bit of a shade here and there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
render="$root/$build/tools/kovomodel-render"
[ -x "$render" ] || { echo "no render tool at $render: build it first" >&2; exit 1; }
"$render" --size 480x345 --turn 35,20 --distance 2600 \
  "$root/samples/dom.dat" "$root/docs/images/house.png"
echo "wrote docs/images/house.png"
