"""kovomodel-render run from the shell with no X server: the picture, its
options and defaults, and every failure as one line, a non-zero status and no
picture."""
import os
import shutil
import socket
import stat
import tempfile
import threading
import unittest

from tool_harness import PYRAMID, RENDER, SAMPLES, TETRAHEDRON, Png, Run, headless_env


def green(pixel):
    return pixel[1] > 40 and pixel[0] == 0 and pixel[2] == 0


class RenderToolTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kovo-render-")
        self.model = self.path("pyramid.dat")
        with open(self.model, "w") as f:
            f.write(PYRAMID)

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def render(self, *args, env=None, user=()):
        return Run(list(user) + [RENDER] + list(args), env=env)

    def test_defaults_make_the_viewers_opening_picture_as_opaque_rgb(self):
        run = self.render(self.model, self.path("out.png"))
        self.assertEqual((run.status, run.stderr, run.stdout), (0, "", ""))
        png = Png(self.path("out.png"))
        self.assertEqual((png.width, png.height, png.channels), (800, 575, 3))
        # Seen from above the apex, the pyramid sits in the middle on black.
        self.assertTrue(green(png.rows[287][400]))
        self.assertEqual(png.rows[0][0], (0, 0, 0))
        self.assertEqual(sorted(os.listdir(self.dir)), ["out.png", "pyramid.dat"])

    def test_options_change_the_picture_as_the_viewer_would(self):
        def lit(*args, model=self.model):
            out = self.path("o.png")
            run = self.render(*args, model, out)
            self.assertEqual(run.status, 0, run.stderr)
            png = Png(out)
            return png, sum(1 for row in png.rows for p in row if green(p))

        base, solid = lit("--size", "200x150")
        self.assertEqual((base.width, base.height), (200, 150))
        widest, _ = lit("--size", "8192x3")  # wider than one off-screen buffer
        self.assertEqual((widest.width, widest.height, green(widest.rows[1][4096])), (8192, 3, True))
        self.assertLess(lit("--size=200x150", "--mode", "wire")[1], solid / 4)
        self.assertLess(lit("--size=200x150", "--mode", "points")[1], 30)
        self.assertNotEqual(lit("--size=200x150", "--shading", "flat")[0].rows, base.rows)
        self.assertLess(lit("--size=200x150", "--distance", "3000")[1], solid / 3)
        # The objects stand inside the pyramid, but show at the centre of a
        # wire model's picture, which its lines leave clear.
        wire = self.path("wire.dat")
        with open(wire, "w") as f:
            f.write(TETRAHEDRON)
        self.assertFalse(green(lit("--size=200x150", model=wire)[0].rows[75][100]))
        self.assertTrue(green(lit("--size=200x150", "--reference-objects", model=wire)[0].rows[75][100]))
        # Turned half round the pyramid shows its base, a square, also from the middle.
        turned, _ = lit("--size=200x150", "--turn", "180,0")
        self.assertNotEqual(turned.rows, base.rows)
        self.assertTrue(green(turned.rows[75][100]))

    def test_help_prints_the_usage(self):
        run = self.render("--help")
        self.assertEqual(run.status, 0)
        self.assertIn("Usage: kovomodel-render", run.stdout)
        for option in ("--size", "--mode", "--shading", "--turn", "--distance",
                       "--reference-objects"):
            self.assertIn(option, run.stdout)

    def test_failures_give_one_line_a_status_and_leave_the_picture_alone(self):
        bad = self.path("bad.dat")
        with open(bad, "w") as f:
            f.write("1\n3 x\n")
        out = self.path("out.png")
        with open(out, "w") as f:
            f.write("an older picture")
        no_egl = headless_env(__EGL_VENDOR_LIBRARY_FILENAMES=self.path("no-vendor.json"))
        cases = [
            (["--bogus", self.model, out], None, 2, "unknown option '--bogus'"),
            (["--size", "0x5", self.model, out], None, 2, "'--size'"),
            ([self.model], None, 2, "expects a model file and a picture file"),
            ([self.path("missing.dat"), out], None, 1, "missing.dat: cannot be opened"),
            ([self.dir, out], None, 1, "not a regular file"),
            ([bad, out], None, 1, bad + ":2:3: expected the face count, found 'x'"),
            ([self.model, out], no_egl, 1, "cannot draw without a display"),
            ([self.model, self.path("no-such-folder/out.png")], None, 1, "cannot be written"),
            ([self.model, self.dir], None, 1, "is a folder"),
        ]
        for args, env, status, reason in cases:
            with self.subTest(args=args):
                run = self.render(*args, env=env)
                self.assertEqual(run.status, status, run.stderr)
                self.assertEqual(run.stderr.count("\n"), 1, run.stderr)
                self.assertTrue(run.stderr.startswith("kovomodel-render: "), run.stderr)
                self.assertIn(reason, run.stderr)
                self.assertEqual(run.stdout, "")
                with open(out) as f:
                    self.assertEqual(f.read(), "an older picture")
                self.assertEqual(sorted(os.listdir(self.dir)),
                                 ["bad.dat", "out.png", "pyramid.dat"])

    def test_each_kind_of_output_is_written_through_or_refused(self):
        p = self.path
        os.mkdir(p("sub"))
        os.symlink("pyramid.dat", p("model-link"))
        os.symlink("sub/linked.png", p("link.png"))
        os.mknod(p("null"), stat.S_IFCHR | 0o666, os.makedev(1, 3))
        os.mknod(p("block"), stat.S_IFBLK | 0o666, os.makedev(7, 0))
        os.mkfifo(p("fifo"))
        socket.socket(socket.AF_UNIX).bind(p("socket"))
        os.close(os.open(p("read-only.png"), os.O_CREAT, 0o444))
        os.chmod(self.dir, 0o755)  # for the run as another user
        # Root may write anything, so what the user may not write is tried as nobody.
        nobody = ([shutil.which("setpriv"), "--reuid=65534", "--regid=65534", "--clear-groups"]
                  if os.geteuid() == 0 else [])
        fifo = []
        threading.Thread(target=lambda: fifo.append(open(p("fifo"), "rb").read()), daemon=True).start()
        kinds = lambda: {n: stat.S_IFMT(os.lstat(p(n)).st_mode) for n in os.listdir(self.dir)}
        before = kinds()
        cases = [  # OUT, the user, status, the reason, the PNG written
            (p("pyramid.dat"), (), 1, "is the input file", None),
            (p("sub/./../pyramid.dat"), (), 1, "is the input file", None),
            (p("model-link"), (), 1, "is the input file", None),
            (p("block"), (), 1, "is neither a regular file", None),
            (p("socket"), (), 1, "is neither a regular file", None),
            (p("read-only.png"), nobody, 1, "cannot be written: Permission denied", None),
            (p("link.png"), (), 0, "", lambda: Png(p("sub/linked.png"))),
            (p("null"), (), 0, "", None),
            (p("fifo"), (), 0, "", lambda: fifo[0]),
        ]
        for out, user, status, reason, written in cases:
            with self.subTest(out=out):
                run = self.render("--size", "40x30", self.model, out, user=user)
                self.assertEqual(run.status, status, run.stderr)
                self.assertIn(reason, run.stderr)
                self.assertTrue(written is None or written())
                with open(self.model) as f:
                    self.assertEqual(f.read(), PYRAMID)
                self.assertEqual(kinds(), before)
        self.assertEqual(os.listdir(p("sub")), ["linked.png"])

    def test_the_samples_all_draw(self):
        for name in sorted(os.listdir(SAMPLES)):
            with self.subTest(sample=name):
                out = self.path(name + ".png")
                run = self.render("--size", "80x60", os.path.join(SAMPLES, name), out)
                self.assertEqual(run.status, 0, run.stderr)
                png = Png(out)
                self.assertTrue(any(green(p) for row in png.rows for p in row))


if __name__ == "__main__":
    unittest.main(verbosity=2)
