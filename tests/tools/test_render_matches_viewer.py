"""kovomodel-render against the real viewer: the viewer runs under a private
Xvfb with Mesa's llvmpipe, its view is captured from the screen, and the tool's
picture of the same model at the same size and camera must equal it pixel for
pixel. The camera and the display modes are set in the viewer as a user sets
them: by dragging and through the menus."""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import kovo_e2e  # noqa: E402
from kovo_e2e import KovoTestCase, Timeout, parse_xwd, wait_until  # noqa: E402
from tool_harness import RENDER, SAMPLES, Png, Run  # noqa: E402


def view_geometry(app):
    """Screen position and size of the view: the main window's one child."""
    out = subprocess.run(["xwininfo", "-children", "-id", str(app.main)], env=app.env,
                         capture_output=True, text=True, check=True).stdout
    found = re.search(r"^\s+0x[0-9a-f]+ .*?(\d+)x(\d+)[+-]\d+[+-]\d+\s+\+(-?\d+)\+(-?\d+)\s*$",
                      out, re.M)
    width, height, x, y = map(int, found.groups())
    return x, y, width, height


def top_level_windows(app):
    out = subprocess.run(["xwininfo", "-root", "-children"], env=app.env, capture_output=True,
                         text=True, check=True).stdout
    return len(re.findall(r"^\s+0x[0-9a-f]+ ", out, re.M))


def choose(app, title, item):
    """Picks the item-th enabled item of the title-th menu, pressing the keys
    only once the popup window is open and going on once it has closed, so
    that a slow machine loses no key."""
    titles = wait_until(lambda: (lambda t: t if len(t) > title else None)(app.menu_titles()),
                        what="the menu bar's titles")
    closed = top_level_windows(app)
    app.xdo("mousemove", "--window", app.main, *titles[title])
    app.xdo("click", 1)
    wait_until(lambda: top_level_windows(app) > closed, what="the popup menu")
    for _ in range(item + 1):
        app.xdo("key", "Down")
    app.xdo("key", "Return")
    wait_until(lambda: top_level_windows(app) == closed, what="the popup menu to close")


def view_rows(app):
    dump = subprocess.run(["xwd", "-root", "-silent"], env=app.env, capture_output=True,
                          timeout=20, check=True).stdout
    return parse_xwd(dump, view_geometry(app)).rows


class RenderMatchesViewerTest(KovoTestCase):

    def expect_same_picture(self, app, model, *options):
        """Renders model with options at the view's size and waits until the
        view shows exactly that picture."""
        _, _, width, height = view_geometry(app)
        out = os.path.join(self.tmp, "render.png")
        run = Run([RENDER, "--size", "%dx%d" % (width, height)] + list(options)
                  + [self.path(model), out])
        self.assertEqual(run.status, 0, run.stderr)
        expected = Png(out).rgb_rows()
        shown = []

        def same():
            shown[:] = [view_rows(app)]
            return shown[0] == expected
        try:
            wait_until(same, timeout=15, interval=0.3, what="the view to show the picture")
        except Timeout:
            differing = sum(1 for a, b in zip(shown[0], expected) for p, q in zip(a, b) if p != q)
            kovo_e2e.Image(width, height, shown[0]).save_png(os.path.join(os.environ.get("KOVO_E2E_ARTIFACTS", self.tmp), "view.png"))
            self.fail("%d of %d pixels differ (%s)" % (differing, width * height, options))

    def test_the_opening_view_at_the_default_size(self):
        app = self.start("torus.dat")
        self.assertEqual(view_geometry(app)[2:], (800, 575), "the tool's default size")
        self.expect_same_picture(app, "torus.dat")
        self.quit(app)

    def test_a_turn_and_a_distance_set_by_dragging(self):
        app = self.start("dom.dat")
        x, y, w, h = app.geometry()
        # Each step starts once the view shows what the one before set.
        self.expect_same_picture(app, "dom.dat")
        # Steps of 16 and 6 pixels turn by whole degrees however the toolkit
        # merges them: 128 pixels right turn 64 degrees, 48 down tilt 24.
        self.drag_to_picture(app, 1, (w // 2 - 64, h // 2), (w // 2 + 64, h // 2 + 48), 8,
                             "dom.dat", "--turn", "64,24")
        # 30 pixels down move the model 300 units away.
        self.drag_to_picture(app, 3, (w // 2, h // 2 - 15), (w // 2, h // 2 + 15), 6,
                             "dom.dat", "--turn", "64,24", "--distance", "1800")
        self.quit(app)

    def drag_to_picture(self, app, button, start, end, steps, model, *options):
        """Drags with button, releasing it once the view shows the picture of options:
        the toolkit hands on moves that came with a release after it."""
        app.xdo("mousemove", "--window", app.main, *start)
        app.xdo("mousedown", button)
        app.move(start, end, steps)
        self.expect_same_picture(app, model, *options)
        app.xdo("mouseup", button)

    def test_display_modes_chosen_from_the_menus(self):
        app = self.start("wire.dat")
        choose(app, 0, 2)  # Dáta... / aj objekty v strede? (after the recent file)
        choose(app, 2, 0)  # Tónovanie... / Konštantné
        app.repaint()
        # The lines take the cube's normal, as in every frame after the first.
        self.expect_same_picture(app, "wire.dat", "--reference-objects", "--shading", "flat")
        choose(app, 1, 1)  # Model... / Drôtený
        app.repaint()
        self.expect_same_picture(app, "wire.dat", "--reference-objects", "--shading", "flat",
                                 "--mode", "wire")
        self.quit(app)


if __name__ == "__main__":
    sys.argv[1:1] = [os.environ["KOVO_VIEWER"], SAMPLES]
    kovo_e2e.main()
