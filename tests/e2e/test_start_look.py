#!/usr/bin/python3
"""The first minute of a run, driven through the real windows: where the main window
stands, what it shows at start, the first look around, the about window and the exit."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unittest  # noqa: E402

import harness  # noqa: E402
from layout import FORM1, INFO  # noqa: E402
from road import Player  # noqa: E402

BINARY = None


class StartAndLook(unittest.TestCase):
    def session(self):
        return harness.Session(BINARY, artefacts=harness.artefacts_dir(self))

    def test_start_shows_splash_and_intro_then_first_look(self):
        with self.session() as s:
            self.assertEqual(s.window_rect(FORM1).as_tuple(), (170, 114, 370, 348))
            # The splash lasts 2 s from the start; a slow machine may first look after that.
            try:
                self.assertEqual(s.text(FORM1, "Text5"), "  ТАРВИЛОН")
            except harness.HarnessError:
                self.assertGreaterEqual(time.monotonic() - s.started, 2.0, "the title splash went too early")
            s.wait_text(FORM1, "Text4", "Много лет назад, на острове", startswith=True)
            self.assertTrue(s.shown(FORM1, "Label16"), "ДАЛЕЕ... is not shown under the intro")
            for control, value in (("Label2", "1"), ("Label15", "25"), ("Text1", ""), ("Text2", ""),
                                   ("Text3", ""), ("Label12", ""), ("Label13", ""), ("Label14", "")):
                s.wait_text(FORM1, control, value)

            # The splash goes by itself; the intro waits for the player.
            s.wait_until("the title splash to go", lambda: not s.shown(FORM1, "Text5"))
            self.assertTrue(s.shown(FORM1, "Text4"), "the intro went away without ДАЛЕЕ...")

            player = Player(s)
            player.dismiss_intro()
            player.look("Вы видите обломки вертолёта")
            # Looking around writes the description and nothing else.
            s.wait_text(FORM1, "Text2", "")
            s.wait_text(FORM1, "Label2", "1")

    def test_about_window_opens_at_its_place_and_gives_control_back(self):
        with self.session() as s:
            player = Player(s)
            s.click(FORM1, "Command3")
            player.opened(INFO)
            s.wait_text(INFO, "Label1", "ТАРВИЛОН     1.0")
            player.close_window(INFO, "Command1")
            # Back in the main window, play goes on.
            player.dismiss_intro()
            player.look("Вы видите обломки вертолёта")

    def test_exit_button_ends_the_run_with_code_0(self):
        with self.session() as s:
            s.click(FORM1, "Command2")
            self.assertEqual(s.wait_exit(), 0, s.game_log())


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
