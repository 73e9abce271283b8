#!/usr/bin/env bash
# Makes the screenshot of the viewer's window that the README and the
# metainfo show: the sample house, turned by a left drag, on a private Xvfb
# with Mesa's software renderer, driven as the end-to-end tests drive it.
#   scripts/make-screenshots.sh [BUILD_DIR]
# writes docs/images/kovomodel-window.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
viewer="$root/$build/app/kovomodel"
[ -x "$viewer" ] || { echo "no viewer at $viewer: build it first" >&2; exit 1; }
out="$root/docs/images/kovomodel-window.png"
python3 - "$root/tests/e2e" "$viewer" "$root/samples" "$out" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[1])
import kovo_e2e as e2e

e2e.BINARY, e2e.SAMPLES, out = sys.argv[2], sys.argv[3], sys.argv[4]


class Screenshot(e2e.KovoTestCase):
    def runTest(self):
        app = self.start()
        e2e.wait_until(lambda: app.view_shot().count(e2e.is_green) > 500, timeout=30,
                       what="the house on screen")
        before = app.view_shot().rows
        _, _, width, height = app.geometry()
        # Turned 35 degrees to the side and 20 from above (a degree per two
        # pixels), and moved back 1100 units (ten per pixel), the house shows
        # whole, with its depth.
        x, y = width // 2, height // 2
        app.drag(1, (x, y), (x + 70, y + 40), steps=10)
        app.drag(3, (x, y - 55), (x, y + 55), steps=10)
        e2e.wait_until(lambda: app.view_shot().rows != before, timeout=30,
                       what="the turned house")
        app.screenshot().save_png(out)
        self.quit(app)


Screenshot.setUpClass()
try:
    case = Screenshot()
    case.setUp()
    try:
        case.runTest()
    finally:
        case.tearDown()
finally:
    Screenshot.tearDownClass()
PYTHON
echo "wrote docs/images/kovomodel-window.png"
