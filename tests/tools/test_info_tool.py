"""kovomodel-info run from the shell: what it prints of a model, and every
failure as one line on stderr with the status that says which kind it was."""
import os
import shutil
import tempfile
import unittest

from tool_harness import INFO, PYRAMID, TETRAHEDRON, Run


class InfoToolTest(unittest.TestCase):

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="kovo-info-")

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def write(self, name, text):
        path = os.path.join(self.dir, name)
        with open(path, "w") as f:
            f.write(text)
        return path

    def info(self, *args):
        return Run([INFO] + list(args))

    def test_prints_counts_centre_and_bounds_after_scaling(self):
        run = self.info(self.write("pyramid.dat", PYRAMID))
        self.assertEqual((run.status, run.stderr), (0, ""))
        self.assertEqual(run.stdout.splitlines(), [
            "type      1 (surface model)",
            "vertices  5",
            "faces     5 (triangles 4, quadrilaterals 1)",
            "centre    0 0 200",
            "bounds    -500 -500 -200 .. 500 500 800",
        ])
        run = self.info(self.write("tetrahedron.dat", TETRAHEDRON))
        self.assertEqual(run.status, 0, run.stderr)
        self.assertIn("type      0 (wire model)", run.stdout)
        self.assertIn("edges     6", run.stdout)

    def test_a_file_that_cannot_be_read_fails_with_its_place_and_status_1(self):
        bad = self.write("bad.dat", "1\n3 1\n0 0 0\n1 x\n")
        for path, reason in ((bad, bad + ":4:3: expected a coordinate, found 'x'"),
                             (os.path.join(self.dir, "missing.dat"), "cannot be opened"),
                             (self.dir, self.dir)):
            run = self.info(path)
            self.assertEqual((run.status, run.stdout), (1, ""), path)
            self.assertTrue(run.stderr.startswith("kovomodel-info: "), run.stderr)
            self.assertIn(reason, run.stderr)
            self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)

    def test_help_and_usage_errors(self):
        for flag in ("--help", "-h"):
            run = self.info(flag)
            self.assertEqual((run.status, run.stderr), (0, ""))
            self.assertTrue(run.stdout.startswith("Usage: kovomodel-info MODEL\n"))
        for args in ((), ("a.dat", "b.dat"), ("--size", "a.dat")):
            run = self.info(*args)
            self.assertEqual((run.status, run.stdout), (2, ""), args)
            self.assertTrue(run.stderr.endswith("(see kovomodel-info --help)\n"), run.stderr)

    def test_a_file_named_like_an_option_is_read_after_a_double_dash(self):
        self.write("-p.dat", PYRAMID)
        self.addCleanup(os.chdir, os.getcwd())
        os.chdir(self.dir)
        self.assertEqual(self.info("-p.dat").status, 2)
        run = self.info("--", "-p.dat")
        self.assertEqual(run.status, 0, run.stderr)
        self.assertIn("vertices  5", run.stdout)


if __name__ == "__main__":
    unittest.main()
