"""kovomodel-thumbnailer run as a file manager runs it, with no X server: the
thumbnail's size, aspect and clear background, and files that are broken or
made to hurt, which fail with bounded memory and leave no output."""
import filecmp
import os
import shutil
import tempfile
import unittest

from tool_harness import SAMPLES, THUMBNAILER, Png, Run

# Peak resident memory allowed to a failing run, KiB. The largest file taken is
# 16 MiB, whose records come to less than 200 MiB.
MEMORY_BOUND_KIB = 300 * 1024


class ThumbnailerTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kovo-thumb-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data.encode() if isinstance(data, str) else data)
        return self.path(name)

    def thumbnail(self, source, size=256, out="out.png"):
        return Run([THUMBNAILER, "-s", str(size), source, self.path(out)])

    def test_the_longer_side_is_the_size_with_the_models_aspect_on_a_clear_background(self):
        # A wire cube seen face on is a square whose outline reaches the corners.
        for name, size, wide in (("dom.dat", 256, True), ("torus.dat", 128, True),
                                 ("gula.dat", 512, False), ("kocka.dat", 64, False)):
            with self.subTest(sample=name, size=size):
                run = self.thumbnail(os.path.join(SAMPLES, name), size)
                self.assertEqual((run.status, run.stderr), (0, ""))
                png = Png(self.path("out.png"))
                self.assertEqual(png.channels, 4)
                self.assertEqual(max(png.width, png.height), size)
                if wide:
                    self.assertLess(png.height, png.width * 0.8)
                else:
                    self.assertEqual(png.width, png.height)
                self.assertEqual(png.rows[png.height // 2][0][3], 255)
                if name != "kocka.dat":
                    self.assertEqual(png.rows[0][0][3], 0)

    def test_broken_and_hostile_files_fail_with_bounded_memory_and_no_output(self):
        os.mkfifo(self.path("pipe.dat"))
        os.mkdir(self.path("folder.dat"))
        with open(self.path("huge.dat"), "wb") as f:
            f.truncate(100 * 1024 * 1024)  # sparse: refused by its size, not read
        same_face = "1\n3 100000\n0 0 0\n1 0 0\n0 1 0\n" + "1 2 3\n" * 100000
        tiny_faces = ("1\n4 1500000\n0 0 0\n1 0 0\n0 1 0\n999 0 0\n" + "1 2 3\n" * 1500000)
        vertices = "1\n2700000 1\n" + "0 0 0\n" * 2700000 + "1 1 1\n"
        cases = {
            "empty.dat": self.write("empty.dat", ""),
            "binary.dat": self.write("binary.dat", bytes(range(256)) * 4096),
            "counts.dat": self.write("counts.dat", "1\n2147483647 2147483647\n0 0 0\n"),
            "index.dat": self.write("index.dat", "1\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 9\n"),
            "text.dat": self.write("text.dat", "1\n5 5\nthese are notes\n"),
            "invisible.dat": self.write("invisible.dat", "2\n3 1\n0 0 0\n1 0 0\n0 1 0\n1 2 3\n"),
            "same-face.dat": self.write("same-face.dat", same_face),
            "tiny-faces.dat": self.write("tiny-faces.dat", tiny_faces),
            "vertices.dat": self.write("vertices.dat", vertices),
            "huge.dat": self.path("huge.dat"),
            "pipe.dat": self.path("pipe.dat"),
            "folder.dat": self.path("folder.dat"),
            "missing.dat": self.path("missing.dat"),
        }
        before = sorted(os.listdir(self.dir))
        for name, source in cases.items():
            with self.subTest(file=name):
                run = self.thumbnail(source)
                self.assertEqual(run.status, 1, run.stderr)
                self.assertTrue(run.stderr.startswith("kovomodel-thumbnailer: " + source),
                                run.stderr)
                self.assertEqual(run.stderr.count("\n"), 1, run.stderr)
                self.assertLess(run.peak_kib, MEMORY_BOUND_KIB)
                self.assertEqual(sorted(os.listdir(self.dir)), before)

    def test_the_thumbnail_goes_into_the_file_the_client_holds_and_never_over_the_input(self):
        model = shutil.copy(os.path.join(SAMPLES, "pyramida.dat"), self.path("m.dat"))
        held = os.open(self.path("out.png"), os.O_RDWR | os.O_CREAT, 0o600)
        run = self.thumbnail(model, 64)
        self.assertEqual((run.status, os.read(held, 8)), (0, b"\x89PNG\r\n\x1a\n"))
        os.close(held)
        run = self.thumbnail(model, 64, out="../" + os.path.basename(self.dir) + "/m.dat")
        self.assertEqual((run.status, run.stderr.count("is the input file")), (1, 1))
        self.assertTrue(filecmp.cmp(model, os.path.join(SAMPLES, "pyramida.dat"), shallow=False))

    def test_a_bad_command_line_is_status_two(self):
        model = os.path.join(SAMPLES, "pyramida.dat")
        for args in (["-s", "0", model, "o.png"], [model, "o.png"], ["-s", "64", model]):
            with self.subTest(args=args):
                run = Run([THUMBNAILER] + args)
                self.assertEqual(run.status, 2)
                self.assertIn("--help", run.stderr)
        self.assertIn("-s SIZE INPUT OUTPUT", Run([THUMBNAILER, "--help"]).stdout)


if __name__ == "__main__":
    unittest.main(verbosity=2)
