"""The install: `cmake --install` into a temporary prefix, as `make install`
runs it, staged with DESTDIR and straight into the prefix; what lands there,
checked with the tools a desktop uses; and the uninstall that removes it.

Usage: python3 test_desktop_install.py BUILD_DIR SOURCE_DIR"""
import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = SOURCE = None

INSTALLED = [
    "bin/kovomodel",
    "bin/kovomodel-convert",
    "bin/kovomodel-info",
    "bin/kovomodel-render",
    "bin/kovomodel-thumbnailer",
    "share/applications/kovomodel.desktop",
] + ["share/bash-completion/completions/" + name for name in (
    "kovomodel", "kovomodel-convert", "kovomodel-info", "kovomodel-render",
    "kovomodel-thumbnailer")] + [
    "share/icons/hicolor/%dx%d/apps/kovomodel.png" % (size, size)
    for size in (128, 16, 256, 32, 48, 64)] + [
    "share/icons/hicolor/scalable/apps/kovomodel.svg",
    "share/kovomodel/install-manifest.txt",
] + ["share/man/man1/%s.1.gz" % name for name in (
    "kovomodel-convert", "kovomodel-info", "kovomodel-render", "kovomodel-thumbnailer",
    "kovomodel")] + [
    "share/metainfo/org.example.kovomodel.metainfo.xml",
    "share/mime/packages/kovomodel.xml",
    "share/thumbnailers/kovomodel.thumbnailer",
]
CACHES = ["share/mime/mime.cache", "share/applications/mimeinfo.cache",
          "share/icons/hicolor/icon-theme.cache"]

MODEL = "1\n5 5\n-2 -2 0\n2 -2 0\n2 2 0\n-2 2 0\n0 0 4\n1 4 3 2\n1 2 5\n2 3 5\n3 4 5\n4 1 5\n"


def files_under(root):
    found = []
    for folder, _, names in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, n), root) for n in names]
    return sorted(found)


def run(args, env=None, **kwargs):
    result = subprocess.run(args, env=env, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d):\n%s%s" % (" ".join(args), result.returncode,
                                                       result.stdout, result.stderr))
    return result.stdout


class InstallTest(unittest.TestCase):

    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="kovo-install-")

    def tearDown(self):
        shutil.rmtree(self.tmp, ignore_errors=True)

    def install(self, prefix, destdir=""):
        env = dict(os.environ, DESTDIR=destdir)
        return run(["cmake", "--install", BUILD, "--prefix", prefix], env=env)

    def uninstall(self, prefix, destdir=""):
        env = dict(os.environ, DESTDIR=destdir)
        return run(["cmake", "-DPREFIX=" + prefix, "-P",
                    os.path.join(SOURCE, "cmake", "Uninstall.cmake")], env=env)

    def staged(self):
        """Installs for /usr under a staging root; returns the staged /usr."""
        stage = os.path.join(self.tmp, "stage")
        self.install("/usr", stage)
        return stage, os.path.join(stage, "usr")

    def test_a_staged_install_holds_everything_and_touches_no_cache(self):
        stage, usr = self.staged()
        self.assertEqual(files_under(stage), sorted("usr/" + f for f in INSTALLED))
        for program in INSTALLED[:4]:
            self.assertTrue(os.access(os.path.join(usr, program), os.X_OK), program)
        # The manifest names the files where they will be, not where they were staged.
        with open(os.path.join(usr, "share/kovomodel/install-manifest.txt")) as f:
            self.assertEqual(sorted(f.read().split()), ["/usr/" + f for f in INSTALLED])
        self.uninstall("/usr", stage)
        self.assertEqual(files_under(stage), [])

    def test_the_entries_validate_and_the_thumbnailer_runs_as_a_file_manager_runs_it(self):
        _, usr = self.staged()
        share = os.path.join(usr, "share")
        run(["desktop-file-validate", os.path.join(share, "applications/kovomodel.desktop")])
        run(["appstreamcli", "validate", "--pedantic", "--no-net",
             os.path.join(share, "metainfo/org.example.kovomodel.metainfo.xml")])
        desktop = configparser.ConfigParser(interpolation=None)
        desktop.read(os.path.join(share, "applications/kovomodel.desktop"))
        self.assertIn("model/x-kovomodel", desktop["Desktop Entry"]["MimeType"].split(";"))
        self.assertEqual(desktop["Desktop Entry"]["StartupWMClass"], "Kovomodel")  # the windows'

        entry = configparser.ConfigParser(interpolation=None)
        entry.read(os.path.join(share, "thumbnailers/kovomodel.thumbnailer"))
        thumbnailer = entry["Thumbnailer Entry"]
        self.assertEqual(thumbnailer["Exec"], "kovomodel-thumbnailer -s %s %i %o")
        self.assertEqual(thumbnailer["MimeType"], "model/x-kovomodel;")
        model = os.path.join(self.tmp, "house.dat")
        shutil.copy(os.path.join(SOURCE, "samples", "dom.dat"), model)
        out = os.path.join(self.tmp, "thumbnail.png")
        command = [{"%s": "128", "%i": model, "%o": out}.get(word, word)
                   for word in thumbnailer["Exec"].split()]
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        env["PATH"] = os.path.join(usr, "bin") + os.pathsep + env.get("PATH", "")
        run(command, env=env)
        with open(out, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_the_desktop_tells_models_from_other_dat_files(self):
        _, usr = self.staged()
        # The installed copy serves as the user's own data folder.
        share = os.path.join(usr, "share")
        run(["update-mime-database", os.path.join(share, "mime")])
        run(["update-desktop-database", os.path.join(share, "applications")])
        env = dict(os.environ, XDG_DATA_HOME=share, XDG_DATA_DIRS="/usr/local/share:/usr/share",
                   XDG_CURRENT_DESKTOP="GNOME")
        files = {
            "model.dat": MODEL.encode(),
            "model-crlf.dat": MODEL.replace("\n", "\r\n").encode(),
            "wire.dat": b"0\n4 6\n0 0 0\n2 0 0\n0 2 0\n0 0 2\n1 2\n1 3\n1 4\n2 3\n2 4\n3 4\n",
            "notes.dat": b"Measurements of the day\n1 2 3\n",
            "column.dat": b"1\n2\n3\n4\n5\n",
            "binary.dat": bytes(range(256)) * 16,
            # The limit: text that starts like a model's header is taken for one.
            "table.dat": b"1\n20 30\nnot a model\n",
        }
        expected = {"notes.dat": "text/plain", "column.dat": "text/plain",
                    "binary.dat": "application/octet-stream"}
        for name, data in files.items():
            path = os.path.join(self.tmp, name)
            with open(path, "wb") as f:
                f.write(data)
            want = expected.get(name, "model/x-kovomodel")
            with self.subTest(file=name):
                gio = run(["gio", "info", "-a", "standard::content-type", path], env=env)
                self.assertIn("standard::content-type: " + want, gio)
                self.assertEqual(run(["xdg-mime", "query", "filetype", path], env=env).strip(),
                                 want)
        with open(os.path.join(share, "mime/model/x-kovomodel.xml")) as f:
            self.assertIn("<comment>Kovomodel model</comment>", f.read())
        # "Open with": the viewer is the application registered for the type
        # (the desktop lists an entry only when its program is on the PATH).
        env["PATH"] = os.path.join(usr, "bin") + os.pathsep + env.get("PATH", "")
        self.assertIn("kovomodel.desktop", run(["gio", "mime", "model/x-kovomodel"], env=env))

    def test_an_install_into_the_prefix_refreshes_the_caches_and_uninstall_removes_it(self):
        prefix = os.path.join(self.tmp, "prefix")
        self.install(prefix)
        installed = files_under(prefix)
        for name in INSTALLED + CACHES:
            self.assertIn(name, installed)
        self.uninstall(prefix)
        left = files_under(prefix)
        for name in INSTALLED:
            self.assertNotIn(name, left)
        # What stays are the caches, rebuilt without the program.
        self.assertFalse([f for f in left if not f.startswith("share/mime/")
                          and f not in CACHES], left)
        self.assertFalse(os.path.exists(os.path.join(prefix, "share/kovomodel")))
        # Nothing left to remove: the uninstall says so and fails.
        with self.assertRaises(AssertionError):
            self.uninstall(prefix)


    def test_make_install_takes_the_build_as_it_is_and_strips_the_programs(self):
        make = ["make", "-C", SOURCE, "PREFIX=/usr", "DESTDIR=" + os.path.join(self.tmp, "stage")]
        # Run as root, configuring or building would take the user's tree.
        planned = run(make + ["-n", "install", "BUILD=" + BUILD])
        self.assertFalse([s for s in ("install-deps", "cmake -S", "--build") if s in planned])
        run(make + ["install", "BUILD=" + BUILD])
        program = os.path.join(self.tmp, "stage/usr/bin/kovomodel")
        self.assertNotIn(".debug_info", run(["readelf", "-S", program]))
        none = subprocess.run(make + ["install", "BUILD=" + self.tmp], capture_output=True, text=True)
        self.assertNotEqual(none.returncode, 0)
        self.assertIn("run 'make build' first", none.stderr)


if __name__ == "__main__":
    BUILD, SOURCE = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=2)
