#!/usr/bin/python3
"""The browser edition played from start to end in headless Chromium, with real pointer and
key events: the start-up, lines that break as the desktop's, every health drawn in full, the
about window, minimising, dragging, input the game must shrug off, the whole shared road with
its card of fate and ending, what a screen reader hears in every window, and a new run for
each other route; all of it under the page's content policy.

    test_play.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from selenium.webdriver.common.actions.mouse_button import MouseButton  # noqa: E402

from browser import ENTER, INTRO, Catalog, Player, Test, shorten  # noqa: E402

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

ABOUT, ABOUT_CLOSE = "Command3", "Command1"
SPLASH_MS = (1800, 4000)  # on screen: the timer starts as the window is built, before the
# first frame is laid out, and a busy machine may be late

# Input no game would expect: mixed scripts typed key by key, then a huge paste of control
# characters, right-to-left marks, combining accents, astral symbols and markup. (Line breaks
# never reach the game: a one-line box turns them into blanks itself.)
TYPED = "Abc ДЕФ ελλη עברית 中文 ǅ"
PASTED = "ж\u0000\u0007\u001b[31m\t\u202e\u0301\u200b漢字\U0001f600\U0001d11e\\\"'<b>&amp;" * 4000


def read_lines():
    """(box id, what, [hand-broken line with "|" where the box wraps it]) for every text."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "routes", "lines.txt")
    texts = []
    with open(path, encoding="utf-8") as f:
        for line in f.read().split("\n"):
            if line.startswith("#") or not line:
                continue
            if line.startswith("== "):
                box, what = line[3:].split(" ", 1)
                texts.append((box, what, []))
            else:
                texts[-1][2].append("" if line == "~" else line)
    return [(box, what, ["~" if not l else l for l in lines]) for box, what, lines in texts]


class Play(Test):
    def phases(self):
        return (("start-up", self.start),
                ("line breaks", self.line_breaks),
                ("health", self.health),
                ("about window", self.about),
                ("minimise and restore", self.minimise),
                ("drag", self.drag),
                ("the whole road", self.road),
                ("a new run", self.new_run),
                ("the other routes, each in a new run", self.other_routes))

    def start(self):
        p = self.p
        self.open()
        policy = p.probe("policy")
        with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as f:
            published = [line for line in f if line.startswith("Content-Security-Policy:")]
        assert published == [f"Content-Security-Policy: {policy}\n"], \
            f"the page's policy {policy!r} is not the one the README gives hosts: {published}"
        self.player = Player(p, on_window=self.heard_once, before_first_examine=self.bad_input)
        timing = p.wait_until("the splash to go", lambda: p.probe("splash"))
        splash = next(f"{w['name']}.{c['name']}" for w in p.windows() for c in w["controls"] if c["kind"] == "Splash")
        assert timing["splashId"] == splash, f"the splash shown was {timing['splashId']}"
        shown_for = timing["splashGone"] - timing["splashShown"]
        assert SPLASH_MS[0] <= shown_for <= SPLASH_MS[1], f"the splash stayed {shown_for:.0f} ms"
        # The intro waits for the player, with the way on under it.
        snap = p.snapshot()
        intro = snap[self.player.el(INTRO)]
        assert intro["shown"] and intro["text"], "the intro is not shown after the splash"
        first = self.steps[0]
        assert first[1] == "press", f"the road does not start by going past the intro: {first}"
        assert any(snap[k]["shown"] and snap[k]["text"] == first[2] for k in self.player.clickable), \
            f"{first[2]} is not shown under the intro"
        self.heard(self.main)

    def line_breaks(self):
        """Every text breaks into lines where the desktop breaks it (tests/routes/lines.txt):
        each is laid out in a copy of its box, as the page writes a box. The translations have no
        desktop's record, but the browser must not wrap again a line the page laid out."""
        wrong = []
        english = Catalog(os.path.join(self.site, "po", "en.mo"))
        for box, what, lines in read_lines():
            text = "\r\n".join("" if line == "~" else line.replace("|", "") for line in lines)
            got = self.p.probe("lines", box, text)
            if got != lines:
                first = next(i for i, (a, b) in enumerate(zip(got + [""] * len(lines), lines)) if a != b)
                wrong.append(f"{box} {what}, line {first + 1}: {got[first]!r}, desktop {lines[first]!r}")
            wrong += [f"{box} {what} in English: {line!r}"
                      for line in self.p.probe("lines", box, english.text(text)) if "¦" in line]
        assert not wrong, "lines break unlike the desktop's:\n  " + "\n  ".join(wrong)
        # Where the box wraps a line, the text stays the game's: a copy and a screen reader get
        # its hand-made breaks and nothing at the wraps.
        box, _, lines = next(t for t in read_lines() if any("|" in line for line in t[2]))
        text = "\n".join("" if line == "~" else line.replace("|", "") for line in lines)
        copied = self.p.probe("copied", box, text.replace("\n", "\r\n"))
        d = self.p.d
        root = d.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]
        node = d.execute_cdp_cmd("DOM.querySelector", {"nodeId": root, "selector": f'[id="{box}"]'})
        heard = d.execute_cdp_cmd("Accessibility.getPartialAXTree", {**node, "fetchRelatives": False})
        value = next(n for n in heard["nodes"] if not n.get("ignored")).get("value", {}).get("value")
        self.p.probe("copied", box, "")
        for what, got in (("a copy", copied), ("a screen reader", value)):
            assert got.strip() == text.strip(), f"{what} of {box} reads {got!r}, not the game's {text!r}"

    def health(self):
        """Every health a player reaches in a few hundred clicks is drawn in full: written and
        fitted as the page writes the health cell, in a copy of it."""
        cut = self.p.probe("healths", self.player.cells["health"])
        assert not cut, f"health cut off: {cut}"

    def about(self):
        p, player = self.p, self.player
        p.click(player.el(ABOUT))
        player.wait_window("info")  # checks what it says to a screen reader, too
        self.no_ring()
        title = p.window("info")["title"]
        p.wait_text("info.title", title)
        p.click(player.el(ABOUT_CLOSE, "info"))
        player.wait_window(self.main)

    def minimise(self):
        p = self.p
        before = p.snapshot()[self.main]["rect"]
        p.click(p.doing("Minimise"))
        p.wait_for("the main window to make way for the bar",
                   lambda s: not s[self.main]["shown"] and s["minimised"]["shown"] or "not so")
        p.wait_text("minimised", p.settings["title"])
        p.click("minimised")
        snap = p.wait_for("the main window back", lambda s: s[self.main]["shown"] and not s["minimised"]["shown"])
        assert snap[self.main]["rect"] == before, f"restored at {snap[self.main]['rect']}, was {before}"

    def drag(self):
        """Only the left button drags, and the window follows the pointer exactly."""
        p = self.p
        x, y = p.probe("dragPoint", self.main)
        before = p.snapshot()[self.main]["rect"]
        p.drag(x, y, 40, 30, button=MouseButton.RIGHT)
        after = p.snapshot()[self.main]["rect"]
        assert after == before, f"a right-button drag moved the window from {before} to {after}"
        p.drag(x, y, 37, -23)
        after = p.snapshot()[self.main]["rect"]
        moved = (after[0] - before[0], after[1] - before[1])
        assert moved == (37, -23), f"a drag by (37, -23) moved the window by {moved}"
        p.drag(x + 37, y - 23, -37, 23)  # back, so that pictures of later moments match

    def road(self):
        self.player.walk(self.steps)

    def other_routes(self):
        for steps in self.routes:
            Player(self.p).walk(steps)
            self.new_run()

    def bad_input(self):
        """Typed and pasted nonsense reaches the game as it is, runs no verb, and Examine of it
        finds nothing and changes nothing else."""
        p, player = self.p, self.player
        cells = set(player.cells.values())
        before = {k: v["text"] for k, v in p.snapshot().items() if k in cells}
        p.click(player.input)
        p.type(TYPED)
        p.d.execute_cdp_cmd("Input.insertText", {"text": PASTED})
        expected = TYPED + PASTED
        p.wait_for("the input box to keep what was typed", lambda s: s[player.input]["text"] == expected
                   or f"it shows {shorten(s[player.input]['text'])!r}")
        p.type(ENTER)
        snap = p.snapshot()
        now = {k: v["text"] for k, v in snap.items() if k in cells}
        assert now == before and snap[player.input]["text"] == expected, "Enter did something"
        p.click(player.examine_button)
        snap = p.wait_text(player.input, "")
        now = {k: v["text"] for k, v in snap.items() if k in cells}
        assert now == before, f"examining nonsense changed {before} to {now}"


if __name__ == "__main__":
    Play.main()
