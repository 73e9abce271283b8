"""End-to-end harness: drives the real kovomodel binary on a private X server.

Each test file makes one KovoTestCase subclass. The class starts its own Xvfb
(so test files can run in parallel), and every test runs the program in a
fresh working directory holding copies of the samples, with its own
XDG_CONFIG_HOME, so that profiles never leak between tests.

Usage of a test file: python3 test_x.py PATH_TO_KOVOMODEL SAMPLES_DIR
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import zlib

BINARY = None
SAMPLES = None
PROFILE_NAME = "kovomodel.INI"

# Models the tests write next to the samples, so that they do not depend on
# which samples ship.
PYRAMID = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n"
TETRAHEDRON = "0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n"
# A flat rectangle facing the viewer, twice as wide as high: turning it shows
# which side comes nearer.
PANEL = "1\n4 1\n0 0 0\n1000 0 0\n1000 500 0\n0 500 0\n1 2 3 4\n"
MAIN_CAPTION = "Kovomodel"


class Timeout(AssertionError):
    pass


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Timeout("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class XServer:
    """A private Xvfb; the display number comes back through -displayfd."""

    def __init__(self, width=1024, height=768):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             "%dx%dx24" % (width, height), "-nolisten", "tcp",
             # Without it the server resets, refusing clients for a moment,
             # each time its last client leaves.
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.proc.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        # The number can arrive a moment before the server takes clients.
        env = dict(os.environ, DISPLAY=self.display)
        wait_until(lambda: subprocess.run(["xdotool", "getdisplaygeometry"], env=env,
                                          capture_output=True).returncode == 0,
                   timeout=10, what="Xvfb on " + self.display)

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


class MapWatcher:
    """Counts the top-level windows mapped on a display while it runs, from
    the server's own notifications, so that a window shown for a moment
    counts too, however short the moment."""

    def __init__(self, env):
        self.env = env
        self.lines = []
        self.syncs = 0
        self.proc = subprocess.Popen(["xev", "-root", "-event", "substructure", "-event",
                                      "property"], env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL, text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        self.sync()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.append(line)

    def sync(self):
        """Returns once the watcher has seen every event that the server
        sent before this call: it changes a root property of its own until
        the change is reported."""
        self.syncs += 1
        atom = "_KOVO_E2E_SYNC_%d" % self.syncs

        def seen():
            if any(atom in line for line in self.lines):
                return True
            subprocess.run(["xprop", "-root", "-f", atom, "8s", "-set", atom, "x"],
                           env=self.env, capture_output=True, timeout=20)
            return False
        wait_until(seen, timeout=15, interval=0.1, what="the map watcher")

    def mapped(self):
        """How many top-level windows were mapped so far."""
        self.sync()
        return sum(1 for line in self.lines if line.startswith("MapNotify"))

    def stop(self):
        self.proc.terminate()
        self.proc.wait()


class Image:
    """An RGB screenshot: pixel(x, y) -> (r, g, b)."""

    def __init__(self, width, height, rows):
        self.width, self.height, self.rows = width, height, rows

    def pixel(self, x, y):
        return self.rows[y][x]

    def crop(self, left, top, width, height):
        width = min(width, self.width - left)
        height = min(height, self.height - top)
        return Image(width, height, [r[left:left + width] for r in self.rows[top:top + height]])

    def save_png(self, path):
        raw = bytearray()
        for row in self.rows:
            raw.append(0)  # no filter
            for p in row:
                raw += bytes(p)

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                    chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))

    def count(self, predicate):
        return sum(1 for row in self.rows for p in row if predicate(p))

    def centroid(self, predicate):
        """Mean (x, y) of the pixels that satisfy predicate, or None."""
        n = sx = sy = 0
        for y, row in enumerate(self.rows):
            for x, p in enumerate(row):
                if predicate(p):
                    n, sx, sy = n + 1, sx + x, sy + y
        return (sx / n, sy / n) if n else None


def is_green(p):
    r, g, b = p
    return g >= 60 and g > 2 * r and g > 2 * b


def is_black(p):
    return max(p) <= 8


def parse_xwd(data, box=None):
    """Decodes an XWD dump of a 24- or 32-bit TrueColor window; box (left, top,
    width, height) limits the decoding to that part."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, _fmt, _depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    if bits_per_pixel not in (24, 32):
        raise ValueError("unsupported xwd pixel size %d" % bits_per_pixel)
    offset = header_size + 12 * ncolors
    step = bits_per_pixel // 8
    endian = "little" if byte_order == 0 else "big"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    left, top, w, h = box or (0, 0, width, height)
    left, top = max(left, 0), max(top, 0)
    w, h = min(w, width - left), min(h, height - top)
    rows = []
    for y in range(top, top + h):
        start = offset + y * bytes_per_line + left * step
        line = data[start:start + w * step]
        row = []
        for x in range(0, w * step, step):
            v = int.from_bytes(line[x:x + step], endian)
            row.append(((v & red_mask) >> rs, (v & green_mask) >> gs, (v & blue_mask) >> bs))
        rows.append(row)
    return Image(w, h, rows)


class App:
    """One run of the program under test."""

    def __init__(self, case, args=(), wait_main=True, extra_env=None):
        self.case = case
        env = dict(os.environ)
        env.update(DISPLAY=case.xserver.display, XDG_CONFIG_HOME=case.config_dir,
                   HOME=case.home_dir, LIBGL_ALWAYS_SOFTWARE="1")
        env.pop("KOVOMODEL_EXIT_AFTER_FIRST_FRAME", None)
        env.update(extra_env or {})
        self.env = env
        self.log = open(os.path.join(case.tmp, "kovomodel-%d.log" % case.run_count()), "w+")
        self.proc = subprocess.Popen([BINARY] + list(args), cwd=case.work_dir, env=env,
                                     stdout=self.log, stderr=subprocess.STDOUT)
        self.main = self.wait_window(r" - Kovomodel$") if wait_main else None

    # xdotool -----------------------------------------------------------------

    def xdo(self, *args, check=True):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                                capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise AssertionError("xdotool %s failed: %s" % (" ".join(map(str, args)),
                                                            result.stderr.strip()))
        return result.stdout.strip()

    def find_windows(self, name_regex):
        out = self.xdo("search", "--onlyvisible", "--name", name_regex, check=False)
        return [int(w) for w in out.split()]

    def wait_window(self, name_regex, timeout=30.0):
        """The first visible window whose name matches; fails if the program ends."""
        def found():
            if self.proc.poll() is not None:
                raise AssertionError("kovomodel ended (code %s) while waiting for %r\n%s"
                                     % (self.proc.returncode, name_regex, self.output()))
            windows = self.find_windows(name_regex)
            return windows[0] if windows else None
        return wait_until(found, timeout, what="a window named %r" % name_regex)

    def watch_until_exit(self, answer_boxes=False, timeout=30.0):
        """Waits for the program to end, meanwhile noting the names of the
        windows that show, and pressing Return in each message box seen when
        answer_boxes is set. Returns the exit status and the names seen, in the
        order first seen."""
        seen = []

        def ended():
            for wid in self.find_windows("."):
                name = self.xdo("getwindowname", wid, check=False)
                if name and name not in seen:
                    seen.append(name)
                if answer_boxes and name == MAIN_CAPTION:
                    self.key("Return", wid=wid, may_close=True)
            return self.proc.poll() is not None
        wait_until(ended, timeout, what="kovomodel to end")
        return self.proc.returncode, seen

    def window_icons(self, wid=None):
        """The images of the window's _NET_WM_ICON, read as a desktop reads
        them: {(width, height): [0xAARRGGBB, ...]}, rows from the top."""
        result = subprocess.run(["xprop", "-id", str(wid or self.main), "-notype",
                                 "-f", "_NET_WM_ICON", "32c", "=$0+\\n", "_NET_WM_ICON"],
                                env=self.env, capture_output=True, text=True, timeout=20)
        _, _, listed = result.stdout.partition("=")
        values = [int(v) for v in listed.split(",") if v.strip().isdigit()]
        icons = {}
        while len(values) >= 2 and len(values) >= 2 + values[0] * values[1]:
            width, height = values[:2]
            icons[(width, height)] = values[2:2 + width * height]
            values = values[2 + width * height:]
        return icons

    def dismiss(self, name_regex, key="Return"):
        """Waits for the window whose name matches, presses key in it and
        waits until it is gone."""
        wid = self.wait_window(name_regex)
        self.key(key, wid=wid)
        self.wait_gone(wid)

    def wait_gone(self, wid, timeout=10.0):
        wait_until(lambda: wid not in self.find_windows("."), timeout,
                   what="window %d to close" % wid)

    def window_name(self, wid=None):
        return self.xdo("getwindowname", wid or self.main)

    def wait_name(self, regex, wid=None, timeout=10.0):
        return wait_until(lambda: re.search(regex, self.window_name(wid)) and True, timeout,
                          what="caption matching %r (now %r)" % (regex, self.window_name(wid)))

    def geometry(self, wid=None):
        out = self.xdo("getwindowgeometry", "--shell", wid or self.main)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def focus(self, wid=None, may_close=False):
        """Gives wid the keyboard and waits until it holds it, not just until
        it shows: a key sent earlier may reach a disabled owner and be lost.
        With may_close, a window that closes meanwhile (a box already
        answered) ends the wait too."""
        wid = wid or self.main
        self.xdo("windowraise", wid, check=False)

        def holds():
            if self.xdo("getwindowfocus", check=False) == str(wid):
                return True
            if may_close and (self.proc.poll() is not None or wid not in self.find_windows(".")):
                return True
            self.xdo("windowfocus", wid, check=False)  # again: a new window may miss it
        wait_until(holds, timeout=10, what="window %d to hold the focus" % wid)

    def key(self, *keys, wid=None, may_close=False):
        self.focus(wid, may_close)
        for k in keys:
            self.xdo("key", "--clearmodifiers", k)
            time.sleep(0.1)

    def type_text(self, text, wid=None):
        self.focus(wid)
        self.xdo("type", "--delay", 20, text)

    def move(self, start, end, steps=8, wid=None):
        """Moves the mouse with no button held from start to end (window
        coordinates) in steps with pauses."""
        wid = wid or self.main
        x0, y0 = start
        x1, y1 = end
        for i in range(steps + 1):
            self.xdo("mousemove", "--window", wid, x0 + (x1 - x0) * i // steps,
                     y0 + (y1 - y0) * i // steps)
            time.sleep(0.05)

    def drag(self, button, start, end, steps=8, wid=None):
        """Presses button at start (window coordinates), moves to end in steps
        with pauses (the toolkit merges fast motion), releases there."""
        wid = wid or self.main
        self.xdo("mousemove", "--window", wid, *start)
        time.sleep(0.1)
        self.xdo("mousedown", button)
        time.sleep(0.1)
        self.move(start, end, steps, wid)
        self.xdo("mouseup", button)
        time.sleep(0.2)

    # Menus -------------------------------------------------------------------

    def menu_titles(self):
        """Centres (window x, y) of the menu bar's titles, found as runs of dark
        text pixels on the light bar."""
        strip = self.screenshot().crop(0, 0, 10**6, 24)
        dark = [any(max(strip.pixel(x, y)) < 110 for y in range(3, strip.height - 2))
                for x in range(strip.width)]
        titles, start, gap = [], None, 0
        for x, d in enumerate(dark + [False] * 12):
            if d:
                start, gap = (x if start is None else start), 0
            elif start is not None:
                gap += 1
                if gap >= 10:
                    titles.append(((start + x - gap) // 2, strip.height // 2))
                    start = None
        return titles

    def menu_windows(self):
        """The popup menus showing now."""
        menus = []
        for wid in self.find_windows(""):  # menus have no name
            kind = subprocess.run(["xprop", "-id", str(wid), "_NET_WM_WINDOW_TYPE"], env=self.env,
                                  capture_output=True, text=True, timeout=20).stdout
            if "_NET_WM_WINDOW_TYPE_MENU" in kind:
                menus.append(wid)
        return menus

    def menu_key(self, opener, letter):
        """Opens a popup with the opener key (alt+d), waits until it shows,
        then types letter in it."""
        self.key(opener)
        wait_until(self.menu_windows, what="the popup opened by " + opener)
        self.xdo("key", "--clearmodifiers", letter)
        time.sleep(0.1)

    def menu(self, title, item=None):
        """Clicks the title-th title of the menu bar, then picks the item-th
        enabled item of its popup with the arrow keys."""
        # Just after start-up the bar may not be drawn yet.
        titles = wait_until(lambda: (lambda t: t if len(t) > title else None)(self.menu_titles()),
                            what="the menu bar's titles")
        x, y = titles[title]
        self.xdo("mousemove", "--window", self.main, x, y)
        time.sleep(0.1)
        self.xdo("click", 1)
        if item is None:
            time.sleep(0.3)
            return
        wait_until(self.menu_windows, what="the popup of title %d" % title)
        for _ in range(item + 1):
            self.xdo("key", "Down")
            time.sleep(0.05)
        self.xdo("key", "Return")
        time.sleep(0.2)

    def repaint(self):
        """Asks the view for a repaint without changing the camera: a right
        drag one pixel sideways (only vertical movement zooms)."""
        x, y, w, h = self.geometry()
        self.drag(3, (w // 2, h // 2), (w // 2 + 1, h // 2), steps=1)

    # Pixels ------------------------------------------------------------------

    def screenshot(self, wid=None):
        """The window's pixels, read from the screen (so child GL windows show)."""
        x, y, w, h = self.geometry(wid)
        dump = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                              timeout=20, check=True).stdout
        return parse_xwd(dump, (x, y, w, h))

    def view_shot(self, wid=None):
        """The area of the main window below its menu bar."""
        shot = self.screenshot(wid)
        return shot.crop(0, 40, shot.width, shot.height - 40)

    def wait_for_picture(self, predicate, timeout=20.0, what="picture"):
        shots = []

        def matches():
            shots[:] = [self.view_shot()]
            return shots[0] if predicate(shots[0]) else None
        try:
            return wait_until(matches, timeout, interval=0.2, what=what)
        except Timeout as failure:
            # Keep the last picture where it outlives the test's folder.
            folder = os.environ.get("KOVO_E2E_ARTIFACTS", tempfile.gettempdir())
            path = os.path.join(folder, "kovo-e2e-%s.png" % self.case.id().split(".")[-1])
            if shots:
                shots[0].save_png(path)
            raise Timeout("%s (last picture: %s)\n%s" % (failure, path, self.output()))

    # Process -----------------------------------------------------------------

    def wait_exit(self, timeout=15.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Timeout("kovomodel did not end within %.0f s\n%s" % (timeout, self.output()))

    def output(self):
        self.log.flush()
        self.log.seek(0)
        return self.log.read()

    def close(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.log.close()


class KovoTestCase(unittest.TestCase):
    """Base class: one X server per test class, fresh directories per test."""

    xserver = None

    @classmethod
    def setUpClass(cls):
        cls.xserver = XServer()

    @classmethod
    def tearDownClass(cls):
        cls.xserver.stop()

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="kovo-e2e-")
        self.work_dir = os.path.join(self.tmp, "work")
        self.config_dir = os.path.join(self.tmp, "config")
        self.home_dir = os.path.join(self.tmp, "home")
        shutil.copytree(SAMPLES, self.work_dir)
        os.makedirs(self.config_dir)
        os.makedirs(os.path.join(self.home_dir, ".local", "share"))
        for name, text in (("pyramid.dat", PYRAMID), ("wire.dat", TETRAHEDRON),
                           ("panel.dat", PANEL)):
            self.write_file(name, text)
        self._runs = 0
        self.apps = []

    def tearDown(self):
        for app in self.apps:
            app.close()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def watch_maps(self):
        """A MapWatcher on the test's display, stopped with the test."""
        watcher = MapWatcher(dict(os.environ, DISPLAY=self.xserver.display))
        self.addCleanup(watcher.stop)
        return watcher

    def run_count(self):
        self._runs += 1
        return self._runs

    def start(self, *args, wait_main=True, extra_env=None):
        app = App(self, args, wait_main, extra_env)
        self.apps.append(app)
        return app

    def write_file(self, name, text):
        with open(self.path(name), "w") as f:
            f.write(text)

    def path(self, name):
        return os.path.join(self.work_dir, name)

    def profile_path(self):
        return os.path.join(self.config_dir, PROFILE_NAME)

    def read_profile(self):
        try:
            with open(self.profile_path(), encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def quit(self, app):
        """Quits through the menu (Alt+D, K) and waits for a clean exit."""
        app.menu_key("alt+d", "k")
        self.assertEqual(app.wait_exit(), 0, app.output())


def main():
    global BINARY, SAMPLES
    if len(sys.argv) < 3:
        sys.exit("usage: %s PATH_TO_KOVOMODEL SAMPLES_DIR [unittest args]" % sys.argv[0])
    BINARY = os.path.abspath(sys.argv[1])
    SAMPLES = os.path.abspath(sys.argv[2])
    program = unittest.main(argv=[sys.argv[0]] + sys.argv[3:], exit=False, verbosity=2)
    ok = program.result.wasSuccessful()
    print("e2e %s: %s" % (os.path.basename(sys.argv[0]), "PASSED" if ok else "FAILED"))
    sys.exit(0 if ok else 1)
