"""The Debian package, as `make package` makes it: lintian's verdict, and an
install into a dpkg root of its own, the programs run from there, the manual
pages rendered, and the removal, after which nothing of it is left.

Usage: python3 test_package.py BUILD_DIR SOURCE_DIR"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = SOURCE = None


def run(args, env=None):
    result = subprocess.run(args, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (" ".join(args), result.returncode,
                                                       result.stdout, result.stderr))
    return result


def files_under(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)


class PackageTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="kovo-package-")
        run(["cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"),
             "-B", os.path.join(cls.tmp, "out")])
        debs = glob.glob(os.path.join(cls.tmp, "out", "*.deb"))
        assert len(debs) == 1, debs
        cls.deb = debs[0]
        cls.version = run(["dpkg-deb", "-f", cls.deb, "Version"]).stdout.strip()
        cls.arch = run(["dpkg", "--print-architecture"]).stdout.strip()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp, ignore_errors=True)

    def test_its_name_and_fields(self):
        self.assertEqual(os.path.basename(self.deb),
                         "kovomodel_%s_%s.deb" % (self.version, self.arch))
        fields = run(["dpkg-deb", "-f", self.deb, "Section", "Depends"]).stdout
        self.assertIn("Section: graphics", fields)
        self.assertIn("libfltk1.3", fields)

    def test_lintian_finds_no_error_and_only_the_warnings_the_notes_explain(self):
        # lintian's exit status counts errors; warnings are read from its output.
        result = subprocess.run(["lintian", "--no-tag-display-limit", self.deb],
                                capture_output=True, text=True)
        tags = re.findall(r"^([EW]): \S+: (\S+)", result.stdout, re.M)
        self.assertEqual([t for kind, t in tags if kind == "E"], [], result.stdout)
        with open(os.path.join(SOURCE, "packaging", "lintian-notes.md")) as f:
            notes = f.read()
        unexplained = [t for _, t in tags if "`%s`" % t not in notes]
        self.assertEqual(unexplained, [], result.stdout)

    def test_installed_into_a_root_of_its_own_it_runs_and_is_removed_whole(self):
        root = os.path.join(self.tmp, "root")
        for folder in ("info", "updates", "triggers"):
            os.makedirs(os.path.join(root, "var/lib/dpkg", folder))
        open(os.path.join(root, "var/lib/dpkg/status"), "w").close()
        dpkg = ["dpkg", "--root=" + root]
        # The libraries it depends on are the machine's own, outside that root.
        run(dpkg + ["--force-depends", "-i", self.deb])
        usr = os.path.join(root, "usr")
        info = run([os.path.join(usr, "bin/kovomodel-info"), "--version"]).stdout
        self.assertEqual(info, "kovomodel-info %s\n" % self.version)
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        picture = os.path.join(self.tmp, "house.png")
        run([os.path.join(usr, "bin/kovomodel-render"), "--size", "64x46",
             os.path.join(SOURCE, "samples", "dom.dat"), picture], env=env)
        with open(picture, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
        pages = glob.glob(os.path.join(usr, "share/man/man1/*.1.gz"))
        self.assertGreaterEqual(len(pages), 4)
        for page in pages:
            with self.subTest(page=os.path.basename(page)):
                shown = subprocess.run(["man", "--warnings", "-l", page], capture_output=True,
                                       text=True, env=dict(env, MANPAGER="cat", MANWIDTH="80"))
                self.assertEqual((shown.returncode, shown.stderr), (0, ""))
                self.assertIn("EXIT STATUS", shown.stdout)
        run(dpkg + ["--purge", "kovomodel"])
        self.assertEqual(files_under(usr) if os.path.exists(usr) else [], [])


if __name__ == "__main__":
    BUILD, SOURCE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1], verbosity=2)
