"""The road of one whole game, played through the windows as a person would.

The steps, and what each must lead to, come from tests/routes/road.txt, which the engine's
and the windows' whole-game tests play too; tests/routes/route.py finds through the game's
layout tables which control a step uses and which cell a check reads, and tests/e2e/layout.py,
the independent copy, says where on the screen that control is. Each step clicks or types for
real, then waits until the windows show what the road expects: the wait is both the
synchronisation and the check. The screenshot script walks the same road and passes snap() to
capture moments on it.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "routes"))

import harness  # noqa: E402
import route  # noqa: E402
from layout import FORM1, FORM2, INFO, LESNIK, MUSIK, STOL, pixels  # noqa: E402

LOOK, DESCRIPTION = "Label5", "Text1"
WINDOWS = {w.name: w for w in (FORM1, INFO, LESNIK, MUSIK, STOL, FORM2)}


load = route.load


class Screen:
    """What the desktop shows now, read once for a step's resolution: which windows are up,
    and every shown control's text, found at its place as the harness finds one control."""

    def __init__(self, session, top):
        self.s, self.top = session, top
        self.texts = {}
        app = session.app()
        app.clearCache()
        pyatspi = session.desk.pyatspi
        for obj in session._walk(app):
            if obj.getRoleName() in ("text", "label", "push button") and obj.getState().contains(pyatspi.STATE_SHOWING):
                e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                t = obj.queryText() if obj.getRoleName() == "text" else None
                self.texts[(e.x, e.y, e.width, e.height)] = t.getText(0, t.characterCount) if t else obj.name
        self.at = {name: session.window_rect(w) for name, w in WINDOWS.items() if name in (FORM1.name, top.name)}

    def _key(self, window, control):
        win, place = self.at.get(window), WINDOWS[window].controls.get(control)
        if win is None or place is None:
            return None  # not on screen, or a control the road never uses
        x, y, w, h = pixels(place)
        return (win.x // self.s.scale + x, win.y // self.s.scale + y, w, h)

    def shown(self, window, control):
        return self._key(window, control) in self.texts

    def text(self, window, control):
        return self.texts.get(self._key(window, control))

    def window_shown(self, window):
        return self.at.get(window) is not None

    def enabled(self, window):
        return window == self.top.name


class Player:
    def __init__(self, session, snap=None, log=None):
        self.s = session
        self.snap = snap or (lambda moment: None)
        self.log = log or (lambda line: None)
        self.top = FORM1  # the window that takes input

    def dismiss_intro(self):
        self.s.click(FORM1, "Label16")
        self.s.wait_until("the intro box to go", lambda: not self.s.shown(FORM1, "Text4"))
        self.s.wait_until("ДАЛЕЕ... to go", lambda: not self.s.shown(FORM1, "Label16"))

    def look(self, opening):
        self.s.click(FORM1, LOOK)
        self.s.wait_text(FORM1, DESCRIPTION, opening, startswith=True)

    def main_enabled(self):
        return self.s.enabled(FORM1, LOOK)

    def opened(self, window):
        """Waits for a window to show; it must stand at its own fixed place on the screen."""
        place = self.s.wait_window(window).as_tuple()
        expected = pixels(window.client, self.s.scale)
        assert place == expected, f"window {window.name} shows at {place}, expected {expected}"
        self.s.wait_until("the main window to be disabled", lambda: not self.main_enabled())

    def close_window(self, window, label):
        self.s.click(window, label)
        self.s.wait_window_gone(window)
        self.s.wait_until("the main window to be enabled again", self.main_enabled)

    # ---- the road ---------------------------------------------------------------------------

    def play(self):
        """From the intro to the ending window; returns with "Конец..." clicked."""
        self.walk(load("road.txt"))

    def play_levels(self):
        """From the crash site, intro dismissed, to "Конец..." clicked."""
        layout = route.Layout.of_desktop()
        intro = layout.row(layout.doing("DismissIntro"))["caption"]
        self.walk([step for step in load("road.txt") if step.target != intro])

    def walk(self, steps):
        layout = route.Layout.of_desktop()
        for step in steps:
            number, action, target, checks = step
            self.log(f"road.txt:{number}: {action} {target}")
            if route.changes_nothing(step):
                raise harness.HarnessError(f"road.txt:{number}: this player plays no step that changes nothing")
            # The player clicks what he reads: wait until a control on screen reads the caption.
            found = []
            self.s.wait_until(f"{action} {target} on screen", lambda: found.append(
                layout.resolve(step, Screen(self.s, self.top))) or found[-1].usable)
            move = found[-1]
            click = (WINDOWS[move.click.window], move.click.control)
            if layout.row(move.click)["does"]["what"] == "DismissIntro":
                self.dismiss_intro()
            elif move.box:
                # The box must have the keyboard before xdotool types into whatever has it.
                box = (WINDOWS[move.box.window], move.box.control)
                self.s.click(*box)
                self.s.wait_until("the input box to take the focus", lambda: self.s.focused(*box))
                self.s.type(target)
                self.s.wait_text(*box, target)
                self.s.click(*click)
                # Examine empties the input box at the end of the click, so an empty box
                # means the click was handled.
                self.s.wait_text(*box, "")
            elif action == "turn":
                self.turn(layout, move.click.control)
            else:
                self.s.click(*click)
            for what, value in checks:
                self.check(layout, what, value, target)

    def check(self, layout, what, value, target):
        s = self.s
        cells = [c for c in layout.cell(what) if c.window in (FORM1.name, self.top.name)]
        if layout.cell(what) and not cells:
            raise harness.HarnessError(f"the road checks {what}, which no window on screen shows")
        if what == "place":
            number, _, opening = value.partition(" ")
            s.wait_text(FORM1, cells[0].control, "" if number == "none" else opening, startswith=number != "none")
            if number != "none" and target == "ОСМОТРЕТЬСЯ":
                self.snap(f"place-{number}")
        elif cells:
            s.wait_text(WINDOWS[cells[0].window], cells[0].control, value)
        elif what == "card":
            s.wait_text(STOL, layout.card(target).control, value)
        elif what == "window" and value == FORM1.name:
            s.wait_window_gone(self.top)
            s.wait_until("the main window to be enabled again", self.main_enabled)
            self.top = FORM1
        elif what == "window":
            self.top = WINDOWS[value]
            self.opened(self.top)
            if self.top is STOL:
                self.check_table(layout)
        elif what == "moment":
            self.snap(value)
        # "ended": the caller waits for the program to exit.

    def cards(self, layout):
        return [layout.card(name).control for name in route.CARDS]

    def check_table(self, layout):
        """The card of fate as it opens: three cards face down, no result yet."""
        s = self.s
        for card in self.cards(layout):
            s.wait_text(STOL, card, "Карта")  # face down: the word is not to be read yet
        results = [layout.doing(what).control for what in ("ClaimVictory", "AcceptDeath")]
        assert not any(s.shown(STOL, r) for r in results), "a result shows before a card is turned"

    def turn(self, layout, card):
        s = self.s
        s.click(STOL, card)
        s.wait_until("the other two cards to vanish",
                     lambda: not any(s.shown(STOL, c) for c in self.cards(layout) if c != card))
