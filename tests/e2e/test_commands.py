"""Keys that reach no handler, the About dialog, and quitting."""
import os
import stat
import time

import kovo_e2e
from kovo_e2e import KovoTestCase, is_green


def snapshot(folder):
    """Names, sizes, modification times and bytes of every file in folder."""
    result = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        with open(path, "rb") as f:
            result[name] = (os.stat(path).st_mtime_ns, f.read())
    return result


class InertKeysTest(KovoTestCase):

    def test_editing_keys_f6_and_save_change_nothing_and_write_nothing(self):
        app = self.start("pyramid.dat")
        app.repaint()  # the first frame is checked on its own at start-up
        before_shot = app.wait_for_picture(lambda s: s.count(is_green) > 1000, what="pyramid")
        files = snapshot(self.work_dir)
        time.sleep(0.05)
        windows = set(app.find_windows("."))
        for key in ("ctrl+z", "ctrl+x", "ctrl+c", "ctrl+v", "alt+BackSpace", "shift+Delete",
                    "ctrl+Insert", "shift+Insert", "F6", "shift+F6", "ctrl+s"):
            app.key(key)
        # Keys are handled in turn: once the open dialog that Ctrl+O asks for
        # is up, every key before it has had its effect, if any.
        app.key("ctrl+o")
        dialog = app.wait_window("^Open$")
        self.assertEqual(set(app.find_windows(".")), windows | {dialog},
                         "no other dialog or box appeared")
        self.assertEqual(app.window_name(), "pyramid.dat - Kovomodel")
        self.assertEqual(snapshot(self.work_dir), files, "no file was written or touched")
        self.assertIsNone(self.read_profile(), "the profile waits for the exit")
        app.key("Escape", wid=dialog)
        app.wait_gone(dialog)
        app.wait_for_picture(lambda s: s.count(is_green) == before_shot.count(is_green),
                             what="the pyramid as it was")
        self.quit(app)

    def test_ctrl_n_keeps_the_model_and_retitles(self):
        app = self.start("pyramid.dat")
        app.repaint()
        shot = app.wait_for_picture(lambda s: s.count(is_green) > 1000, what="pyramid")
        app.key("ctrl+n")
        app.wait_name("^Untitled - Kovomodel$")
        app.repaint()
        app.wait_for_picture(lambda s: s.count(is_green) == shot.count(is_green),
                             what="the same pyramid")
        self.quit(app)


class AboutAndQuitTest(KovoTestCase):

    def test_info_opens_the_about_dialog_and_enter_closes_it(self):
        app = self.start()
        app.menu(3)  # Info, a command on the bar
        app.dismiss("^Prezerak - info$")
        self.assertEqual(app.window_name(), "Untitled - Kovomodel")
        self.quit(app)

    def test_quitting_from_the_menu_writes_the_profile_and_keeps_its_mode(self):
        with open(self.profile_path(), "w") as f:
            f.write("[Settings]\nPreviewPages=3\n")
        os.chmod(self.profile_path(), 0o640)  # neither the default nor a private mode
        app = self.start("pyramid.dat")
        self.quit(app)
        profile = self.read_profile()
        self.assertIn("File1=" + self.path("pyramid.dat"), profile)
        self.assertIn("PreviewPages=3", profile)
        self.assertEqual(stat.S_IMODE(os.stat(self.profile_path()).st_mode), 0o640)


if __name__ == "__main__":
    kovo_e2e.main()
