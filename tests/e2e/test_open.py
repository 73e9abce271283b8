"""Opening files: the open dialog, a model that the loader rejects, and the
recent-file list across runs."""
import os
import re

import kovo_e2e
from kovo_e2e import KovoTestCase, is_green


class OpenTest(KovoTestCase):

    def open_with_dialog(self, app, path):
        app.key("ctrl+o")
        dialog = app.wait_window("^Open$")
        app.type_text(path, wid=dialog)
        app.key("Return", wid=dialog)
        app.wait_gone(dialog)

    def test_ctrl_o_opens_the_dialog_and_the_chosen_model_shows(self):
        os.remove(self.path("dom.dat"))  # start from an empty view
        app = self.start()
        self.open_with_dialog(app, self.path("pyramid.dat"))
        app.wait_name("^pyramid.dat - Kovomodel$")
        app.wait_for_picture(lambda s: s.count(is_green) > 1000, what="the pyramid")
        self.quit(app)

    def test_alt_d_then_n_opens_the_dialog_and_escape_cancels_it(self):
        app = self.start("pyramid.dat")
        app.menu_key("alt+d", "n")
        app.dismiss("^Open$", "Escape")
        self.assertEqual(app.window_name(), "pyramid.dat - Kovomodel")
        self.quit(app)

    def test_a_rejected_model_shows_a_message_and_changes_nothing(self):
        self.write_file("broken.dat", "1\n3 1\n0 0 0\n1 0 zero\n")
        app = self.start()
        app.repaint()  # the first frame is checked on its own at start-up
        before = app.wait_for_picture(lambda s: s.count(is_green) > 2000, what="the house")
        self.open_with_dialog(app, self.path("broken.dat"))
        app.dismiss("^Kovomodel$")
        # The box covered part of the view, which repaints once it is gone.
        app.wait_for_picture(lambda s: s.count(is_green) == before.count(is_green),
                             what="the house as it was")
        self.assertEqual(app.window_name(), "Untitled - Kovomodel")
        self.quit(app)
        self.assertNotIn("broken.dat", self.read_profile() or "")


class RecentFilesTest(KovoTestCase):

    def run_once(self, *args):
        app = self.start(*args)
        self.quit(app)

    def test_two_runs_leave_two_entries_most_recent_first(self):
        self.run_once("pyramid.dat")
        self.run_once("wire.dat")
        profile = self.read_profile()
        self.assertIn("[Recent File List]", profile)
        self.assertRegex(profile, r"File1=%s\n" % re.escape(self.path("wire.dat")))
        self.assertRegex(profile, r"File2=%s\n" % re.escape(self.path("pyramid.dat")))
        self.assertNotIn("File3=", profile)

    def test_an_entry_reopens_its_file_from_the_menu(self):
        self.run_once("pyramid.dat")
        app = self.start()
        app.menu_key("alt+d", "1")
        app.wait_name("^pyramid.dat - Kovomodel$")
        self.quit(app)

    def test_an_entry_whose_file_was_deleted_is_reported_and_dropped(self):
        self.run_once("pyramid.dat")
        self.run_once("wire.dat")
        os.remove(self.path("wire.dat"))
        app = self.start()
        app.menu_key("alt+d", "1")
        app.dismiss("^Kovomodel$")
        self.assertEqual(app.window_name(), "Untitled - Kovomodel")
        self.quit(app)
        profile = self.read_profile()
        self.assertNotIn("wire.dat", profile)
        self.assertRegex(profile, r"File1=%s\n" % re.escape(self.path("pyramid.dat")))


if __name__ == "__main__":
    kovo_e2e.main()
