#!/usr/bin/python3
"""The road on a phone in headless Chromium: the device chooses the touch view, a finger taps.
In every window a thumb finds each control, an eye reads each text, nothing is wider than the
screen at any phone's width, and a screen reader hears what it hears in the classic view. On
the way: the input box above an on-screen keyboard, and the switch to the classic view and
back keeping the run.

    test_touch.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import Player, Test  # noqa: E402

PHONE = (390, 844)  # CSS px, at a device scale of 3
# Widths upright, and a phone on its side, at which no page may be wider than the screen.
PHONE_SIZES = ((320, 700), (360, 640), (390, 844), (430, 932), (844, 390))
KEYBOARD = 336  # px of the screen an on-screen keyboard takes upright, about half that on its side
THUMB_PX = 44  # the smallest box a finger is given
READABLE_PX = 16  # the smallest text on a phone


class Touch(Test):
    def phases(self):
        return (("the road in the touch view, tapped", self.touch),)

    def touch(self):
        p = self.p
        p.phone(*PHONE)
        try:
            self.open("")
            assert p.probe("touchView"), \
                "a phone did not get the touch view"
            p.wait_until("the splash to go", lambda: p.probe("splash"))
            player = Player(p, on_window=self.thumb_sized, before_first_examine=self.keyboard_and_switch)
            player.walk(self.steps)
            self.new_run()
        finally:
            p.desktop()

    def thumb_sized(self, form):
        if form in self.seen:
            return
        self.heard(form)
        p = self.p
        small, tiny = p.probe("tooSmall", THUMB_PX, READABLE_PX)
        assert not small, f"window {form}: smaller than a thumb: {small}"
        assert not tiny, f"window {form}: text too small to read: {tiny}"
        for width, height in PHONE_SIZES:
            p.phone(width, height)
            p.probe("frames")
            wider = p.probe("wider")
            assert not wider, f"window {form} at {width}x{height}: wider than its box: {wider}"
        p.phone(*PHONE)

    def keyboard_and_switch(self):
        p, player = self.p, Player(self.p)
        p.click(player.input)
        for width, height in (PHONE, PHONE_SIZES[-1]):
            keyboard = KEYBOARD if height > width else KEYBOARD // 2
            p.phone(width, height - keyboard)
            p.wait_until(f"the input box above a keyboard at {width}x{height}",
                         lambda: p.probe("inputShown", player.input))
        p.phone(*PHONE)
        before = self.main_texts(p.snapshot())
        for view in ("classic", "touch"):
            p.click("view")
            p.wait_until(f"the {view} view", lambda: p.probe("touchView") == (view == "touch"))
            snap = p.snapshot()
            assert self.main_texts(snap) == before, f"the switch to the {view} view changed the run"
            if view == "classic":
                x, _, width, _ = snap[self.main]["rect"]
                assert abs(x - (PHONE[0] - x - width)) <= 1, f"the classic view on a phone stands at {x:.1f} of {PHONE[0]}"
        p.click(player.input)


if __name__ == "__main__":
    Touch.main()
