#!/usr/bin/env bash
# Opens the viewer in the samples folder, so that it starts on dom.dat.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/samples"
if [ -x "$root/$build/app/kovomodel" ]; then
  exec "$root/$build/app/kovomodel"
fi
exec "$root/$build/tools/kovomodel-info" dom.dat
