#!/usr/bin/python3
"""The whole road without a pointer, in headless Chromium: the shared route player Tabs from
wherever the focus is to each step's control, forward or back (Shift+Tab) as the window's tab
order puts it, never leaving the window's own controls nor wrapping round, and presses Space or
Enter in turn; a word is typed after Tabbing to the input box. Every control it presses shows
its focus ring. Prints the Tab presses each step needed: the median and the most.

    test_keyboard.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import statistics
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import Player, Test  # noqa: E402


class Keyboard(Test):
    def phases(self):
        return (("the whole road by keyboard", self.road),)

    def road(self):
        self.open()
        player = Player(self.p, keys=True)
        player.walk(self.steps)
        most = max(range(len(self.steps)), key=lambda i: player.presses[i])
        print(f"    Tab presses a step: median {statistics.median(player.presses)}, most {player.presses[most]}"
              f" (route line {self.steps[most].line}: {self.steps[most].action} {self.steps[most].target})")


if __name__ == "__main__":
    Keyboard.main()
