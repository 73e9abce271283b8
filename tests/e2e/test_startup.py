"""Start-up: the caption, the default model, a file named on the command line,
a missing file, the window's icon and the benchmark switches."""
import os
import re
import socket
import struct
import subprocess
import time
import zlib

import kovo_e2e
from kovo_e2e import KovoTestCase, is_black, is_green, wait_until


def icon_pixels(size):
    """The committed desktop icon of size pixels as 0xAARRGGBB values, rows
    from the top. make-icons.py writes 8-bit RGBA rows without filtering."""
    path = os.path.join(kovo_e2e.SAMPLES, "..", "app", "icons", "kovomodel-%d.png" % size)
    with open(path, "rb") as f:
        data = f.read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        idat += data[pos + 8:pos + 8 + length] if kind == b"IDAT" else b""
        pos += 12 + length
    raw = zlib.decompress(idat)
    pixels = []
    for row in range(size):
        line = raw[row * (1 + 4 * size):(row + 1) * (1 + 4 * size)]
        assert line[0] == 0, "a filtered row"
        for x in range(1, len(line), 4):
            r, g, b, a = line[x:x + 4]
            pixels.append(a << 24 | r << 16 | g << 8 | b)
    return pixels


class StartupTest(KovoTestCase):

    def test_no_arguments_shows_the_house_green_on_black_as_untitled(self):
        app = self.start()
        self.assertEqual(app.window_name(), "Untitled - Kovomodel")
        shot = app.wait_for_picture(lambda s: s.count(is_green) > 2000,
                                    what="the green house")
        total = shot.width * shot.height
        self.assertGreater(shot.count(is_black), total // 20, "the background is black")
        self.quit(app)

    def test_a_named_file_gives_its_title_to_the_caption(self):
        app = self.start("pyramid.dat")
        self.assertEqual(app.window_name(), "pyramid.dat - Kovomodel")
        app.wait_for_picture(lambda s: s.count(is_green) > 1000, what="the pyramid")
        self.quit(app)

    def test_a_missing_file_shows_a_box_then_the_program_ends(self):
        app = self.start("nothing-here.dat", wait_main=False)
        box = app.wait_window("^Kovomodel$")
        self.assertEqual(app.find_windows(r" - Kovomodel$"), [], "no main window shows")
        app.key("Return", wid=box)
        self.assertEqual(app.wait_exit(), 1, "a failed start ends with a failure status")
        self.assertEqual(app.find_windows(r" - Kovomodel$"), [])

    def test_a_missing_default_model_leaves_an_empty_black_view(self):
        os.remove(self.path("dom.dat"))
        app = self.start()
        self.assertEqual(app.window_name(), "Untitled - Kovomodel")
        shot = app.wait_for_picture(lambda s: s.count(is_black) > s.width * s.height * 0.9,
                                    what="the first frame, black")
        self.assertEqual(shot.count(is_green), 0)
        self.assertEqual(app.find_windows("^Kovomodel$"), [], "no message for the default")
        self.quit(app)

    def test_the_main_window_carries_the_program_icon_in_both_sizes(self):
        app = self.start()
        icons = wait_until(app.window_icons, what="the window's icons")
        self.assertEqual(sorted(icons), [(16, 16), (32, 32)])
        for size in (16, 32):
            self.assertEqual(icons[(size, size)], icon_pixels(size), "the %d-pixel image" % size)
        self.quit(app)

    def test_only_the_value_1_of_the_benchmark_switch_ends_after_the_first_frame(self):
        for value in ("0", "", "yes", "2"):
            with self.subTest(value=value):
                app = self.start("pyramid.dat",
                                 extra_env={"KOVOMODEL_EXIT_AFTER_FIRST_FRAME": value})
                app.wait_for_picture(lambda s: s.count(is_green) > 1000, what="the first frame")
                time.sleep(0.5)
                self.assertIsNone(app.proc.poll(), "still running after its first frame")
                self.quit(app)

    def test_the_start_up_benchmark_switch_closes_after_the_first_frame(self):
        app = self.start("pyramid.dat", wait_main=False,
                         extra_env={"KOVOMODEL_EXIT_AFTER_FIRST_FRAME": "1"})
        self.assertEqual(app.wait_exit(), 0, app.output())
        self.assertIn("File1=", self.read_profile() or "", "a normal exit writes the profile")

    def test_the_turning_benchmark_drags_then_prints_two_times_and_closes(self):
        for mode in ("", "wire"):
            with self.subTest(mode=mode):
                app = self.start("pyramid.dat", wait_main=False,
                                 extra_env={"KOVOMODEL_BENCH_TURN": "5",
                                            "KOVOMODEL_BENCH_TURN_MODE": mode})
                self.assertEqual(app.wait_exit(), 0, app.output())
                found = re.search(r"turning 5 steps: median ([\d.]+) ms, "
                                  r"90th percentile ([\d.]+) ms", app.output())
                self.assertIsNotNone(found, app.output())
                self.assertLessEqual(float(found.group(1)), float(found.group(2)))

    def test_without_a_display_the_program_says_so_and_fails(self):
        env = dict(os.environ, XDG_CONFIG_HOME=self.config_dir)
        env.pop("DISPLAY", None)
        result = subprocess.run([kovo_e2e.BINARY], cwd=self.work_dir, env=env,
                                capture_output=True, text=True, timeout=30)
        self.assertEqual(result.returncode, 1)
        self.assertIn("display", result.stderr)


    def test_every_window_carries_the_class_and_the_process_that_a_desktop_looks_for(self):
        def belongs(app, wid):
            wanted = ['WM_CLASS(STRING) = "kovomodel", "Kovomodel"', "input focus: True",
                      'WM_CLIENT_MACHINE(STRING) = "%s"' % socket.gethostname(),
                      "_NET_WM_PID(CARDINAL) = %d" % app.proc.pid]
            props = lambda: subprocess.run(["xprop", "-id", str(wid)], env=app.env, timeout=20,
                                           capture_output=True, text=True).stdout
            wait_until(lambda: all(w in props() for w in wanted), what="%s on %d" % (wanted, wid))
        app = self.start("nothing-here.dat", wait_main=False)
        belongs(app, app.wait_window("^Kovomodel$"))  # a message box
        app = self.start()
        belongs(app, app.main)
        app.menu(3)  # Info
        belongs(app, app.wait_window("^Prezerak - info$"))
        app.dismiss("^Prezerak - info$")
        app.key("ctrl+o")
        belongs(app, app.wait_window("^Open$"))


if __name__ == "__main__":
    kovo_e2e.main()
