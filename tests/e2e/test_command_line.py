"""The command line on the real program: the print, shell and unregister flags,
the flags that are only accepted, and a model that does not load."""
import os

import kovo_e2e
from kovo_e2e import MAIN_CAPTION, KovoTestCase

PROFILE = "[Recent File List]\nFile1=/kept/model.dat\n[Settings]\nPreviewPages=2\n"


class CommandLineTest(KovoTestCase):

    def run_to_end(self, *args, answer_boxes=False):
        """Runs the program to its end; returns its exit status, the names of
        the windows seen and how many windows were shown, however briefly."""
        watcher = self.watch_maps()
        app = self.start(*args, wait_main=False)
        status, seen = app.watch_until_exit(answer_boxes)
        return status, seen, watcher.mapped()

    def write_profile(self):
        with open(self.profile_path(), "w") as f:
            f.write(PROFILE)
        return os.stat(self.profile_path()).st_mtime_ns

    def test_print_flags_open_the_file_unseen_and_end_without_printing(self):
        for args in (["-p", "pyramid.dat"], ["-pt", "pyramid.dat", "Printer", "Driver", "Port"],
                     ["/p", self.path("pyramid.dat")]):
            with self.subTest(args=args):
                status, _, shown = self.run_to_end(*args)
                self.assertEqual(status, 0, "ending unprinted is what was asked for")
                self.assertEqual(shown, 0, "no window shows, no message either")
                self.assertIn("File1=" + self.path("pyramid.dat"), self.read_profile(),
                              "the file was opened")

    def test_a_print_flag_with_a_missing_file_reports_it_and_fails(self):
        status, seen, shown = self.run_to_end("-p", "missing.dat", answer_boxes=True)
        self.assertEqual(status, 1)
        self.assertEqual((seen, shown), ([MAIN_CAPTION], 1), "only the message box shows")

    def test_unregister_in_any_case_confirms_and_leaves_the_profile_untouched(self):
        written = self.write_profile()
        for flag in ("-Unregister", "/UNREGISTER", "-unregserver"):
            with self.subTest(flag=flag):
                status, seen, shown = self.run_to_end(flag, answer_boxes=True)
                self.assertEqual(status, 0)
                self.assertEqual((seen, shown), ([MAIN_CAPTION], 1), "only the confirmation shows")
                self.assertEqual(self.read_profile(), PROFILE)
                self.assertEqual(os.stat(self.profile_path()).st_mtime_ns, written)

    def test_dde_ends_at_once_unseen_and_keeps_the_list(self):
        self.write_profile()
        status, _, shown = self.run_to_end("-dde")
        self.assertEqual(status, 0)
        self.assertEqual(shown, 0)
        self.assertEqual(sorted(self.read_profile().splitlines()), sorted(PROFILE.splitlines()))

    def test_embedding_and_automation_start_as_usual(self):
        for flag in ("-Embedding", "/automation"):
            with self.subTest(flag=flag):
                app = self.start(flag, "pyramid.dat")
                self.assertEqual(app.window_name(), "pyramid.dat - " + MAIN_CAPTION)
                self.quit(app)

    def test_a_malformed_model_is_reported_and_the_program_ends_unseen(self):
        self.write_file("broken.dat", "1\n3 1\n0 0 0\n1 0 zero\n")
        self.write_file("too-few.dat", "1\n5 2\n0 0 0\n1 0 0\n")
        for name in ("broken.dat", "too-few.dat"):
            with self.subTest(name=name):
                status, seen, shown = self.run_to_end(name, answer_boxes=True)
                self.assertEqual(status, 1)
                self.assertEqual((seen, shown), ([MAIN_CAPTION], 1), "only the message shows")
                self.assertNotIn(name, self.read_profile() or "")


if __name__ == "__main__":
    kovo_e2e.main()
