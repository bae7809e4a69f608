"""A route through the game, read from one of the text files beside this module, and the
controls each step uses, found through the layout tables as a player finds them: the control
on screen that reads the caption. The Python twin of route.hpp, for the tests that drive a
front end from outside (the desktop program under Xvfb, the page in Chromium); the files'
heads explain the lines.

The tables are the JSON the layout library writes: the page's module hands it over, and for
the desktop program tools/layout_json prints it (its path in TARVILON_LAYOUT_JSON).
"""

import collections
import json
import os
import subprocess

ROUTES = os.path.dirname(os.path.abspath(__file__))

ACTIONS = ("examine", "press", "turn")
CHECKS = ("response", "answer", "level", "health", "weapon", "goods", "pouch", "place", "window",
          "card", "ended", "unchanged", "moment")
CARDS = ("left", "middle", "right")  # as a route names the cards, in the game's order

Step = collections.namedtuple("Step", "line action target checks")


def load(name):
    """A route file, by its name beside this module or by a path, as Steps; checks are
    (what, value) pairs. A line that is not a step raises ValueError, so that a typo fails the
    test instead of quietly skipping a check."""
    def field(text):
        word, _, value = text.strip().partition(" ")
        value = value.strip()
        if len(value) >= 2 and value[0] == value[-1] == '"':
            value = value[1:-1]
        return word, value

    steps = []
    with open(os.path.join(ROUTES, name), encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            (action, target), *checks = [field(part) for part in line.split("|")]
            bad = [what for what, _ in checks if what not in CHECKS]
            if action not in ACTIONS or bad:
                raise ValueError(f"{name}:{number}: no action {action!r} or unknown checks {bad}")
            steps.append(Step(number, action, target, checks))
    return steps


def changes_nothing(step):
    return any(what == "unchanged" for what, _ in step.checks)


# A control of a window, by their names in the tables.
Target = collections.namedtuple("Target", "window control")
# A step as the controls it uses: the box a word is typed into first (examine), the control
# then clicked (None: nothing on screen reads the caption), and whether the player can use
# them now (shown, in a window that takes input).
Move = collections.namedtuple("Move", "box word click usable")


class Layout:
    """The tables, asked what shows or does what."""

    def __init__(self, tables):
        self.tables = tables
        self.windows = tables["windows"]
        self.main = next(w["name"] for w in self.windows if w["main"])

    @classmethod
    def of_desktop(cls):
        tool = os.environ.get("TARVILON_LAYOUT_JSON")
        if not tool:
            raise RuntimeError("TARVILON_LAYOUT_JSON names no tool to print the layout tables")
        return cls(json.loads(subprocess.run([tool], check=True, capture_output=True).stdout))

    def rows(self):
        for w in self.windows:
            for c in w["controls"]:
                yield w["name"], c

    def _one(self, part, what, which):
        """The one control whose shows or does is WHAT; WHICH is the operand's number, or for
        a verb its name ("Examine")."""
        operand = "verb" if isinstance(which, str) else "which"
        found = [Target(w, c["name"]) for w, c in self.rows()
                 if c[part]["what"] == what and c[part].get(operand) == which]
        assert len(found) == 1, f"{len(found)} controls {part} {what} {which}"
        return found[0]

    def row(self, target):
        """The table row of a Target."""
        return next(c for w, c in self.rows() if (w, c["name"]) == target)

    def doing(self, what, which=0):
        return self._one("does", what, which)

    def showing(self, what, which=0):
        return self._one("shows", what, which)

    def cell(self, what):
        """The cells a check reads: one for the main window's cells, one per dialogue for
        "answer" (the one on screen is meant), none for the checks that read no cell."""
        slots = {"weapon": 0, "goods": 1, "pouch": 2}
        if what in slots:
            return [self.showing("Slot", slots[what])]
        plain = {"response": "Response", "level": "Level", "health": "Health", "place": "Description"}
        if what in plain:
            return [self.showing(plain[what])]
        if what == "answer":
            return [self.showing("ForesterAnswer"), self.showing("GuardAnswer")]
        return []

    def card(self, name):
        return self.doing("Turn", CARDS.index(name))

    def resolve(self, step, screen):
        """Where the step's clicks land, read off the screen as it is now; screen tells
        text(window, control), shown(window, control), window_shown(window) and
        enabled(window). For a caption that nothing on screen reads, click is None."""
        usable = lambda t: screen.enabled(t.window) and screen.shown(*t)  # noqa: E731
        if step.action == "examine":
            box, button = self.doing("Type"), self.doing("Press", "Examine")
            return Move(box, step.target, button, usable(box) and usable(button))
        if step.action == "turn":
            card = self.card(step.target)
            return Move(None, None, card, usable(card))
        # Only a control that reads the caption in the table, or shows something else, can
        # read it now: the others need not be read at all.
        hits = [Target(w, c["name"]) for w, c in self.rows()
                if c["does"]["what"] != "Nothing" and screen.window_shown(w)
                and (c["caption"] == step.target or c["shows"]["what"] != "Caption")
                and screen.shown(w, c["name"]) and screen.text(w, c["name"]) == step.target]
        hits.sort(key=lambda t: not screen.enabled(t.window))  # a window that takes input first
        if len(hits) > 1 and screen.enabled(hits[1].window) == screen.enabled(hits[0].window):
            raise AssertionError(f"{step.target!r} reads on two controls: {hits}")
        return Move(None, None, hits[0] if hits else None, bool(hits) and usable(hits[0]))

