#!/usr/bin/python3
"""A whole game, crash site to "Конец...", played through the real windows with the mouse
and the keyboard, checking on the way what a player would see change."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unittest  # noqa: E402

import harness  # noqa: E402
from road import Player  # noqa: E402

BINARY = None


class WholeGame(unittest.TestCase):
    def test_the_road_from_the_crash_site_to_the_end(self):
        started = time.monotonic()

        def log(line):
            # Progress on stderr: a failure then shows how far the road went.
            print(f"  {time.monotonic() - started:6.1f} s  {line}", file=sys.stderr, flush=True)

        with harness.Session(BINARY, artefacts=harness.artefacts_dir(self)) as s:
            Player(s, log=log).play()
            self.assertEqual(s.wait_exit(), 0, "'Конец...' must end the game cleanly:\n" + s.game_log())


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
