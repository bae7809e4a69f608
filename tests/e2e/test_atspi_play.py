#!/usr/bin/python3
"""A blind player with a screen reader: the game read and played over the accessibility bus
alone. No click and no key press goes through the X server; every control is found by what
a screen reader knows of it (role, name, description), never by where it stands. It walks the
road of tests/routes/road.txt, the one every whole-game test walks, from the intro to the end."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unittest  # noqa: E402

import a11y  # noqa: E402
import harness  # noqa: E402
import road  # noqa: E402

BINARY = None

VERBS = ("ОСМОТРЕТЬСЯ", "ОБСЛЕДОВАТЬ", "Разговор", "Идти", "Мастерить", "Копать", "Подобрать")
# "&Инфо" reads without its mnemonic; the two captionless buttons by what they do.
BUTTONS = ("Инфо", "Свернуть", "Выход")
# The road's cells, by the description a screen reader gives of them.
CELLS = {"level": "Текущий уровень игры", "health": "Здоровье",
         "weapon": "Инвентарь: 1", "goods": "Инвентарь: 2", "pouch": "Инвентарь: 3"}
# The road's windows over the main one, by the names a screen reader gives them.
WINDOWS = {"lesnik": "Лесник", "musik": "Охранник", "Stol": "Карты судьбы", "Form2": "Конец"}
SPLASH = "  ТАРВИЛОН"
NEXT = "ДАЛЕЕ..."
FACE_DOWN = "Карта"
RESULTS = ("Победа!", "Вы погибли")


class ScreenReaderSession(harness.Session):
    """The game found on the accessibility bus alone: no waiting on an X window."""

    def start(self):
        self.launch()
        self.app()


class ScreenReaderPlayer:
    """Walks the road through the game's controls as a screen reader user does: reads a box,
    sets the input box's text, activates a control. Each check of a step waits until the
    bus reads what the road expects: the wait is both the synchronisation and the check."""

    def __init__(self, session, heard=None):
        self.s = session
        self.r = a11y.Reader(session)
        self.heard = heard
        self.window = self.top = self.r.main_window()
        one = self.r.one
        self.verbs = {name: one(self.window, "push button", name) for name in VERBS + (NEXT,) + BUTTONS}
        self.description = one(self.window, "text", "Описание места")
        self.response = one(self.window, "text", "Ответ")
        self.word = one(self.window, "text", "Предмет")
        self.intro = one(self.window, "text", "Предыстория")
        self.cells = {cell: one(self.window, "label", description=d) for cell, d in CELLS.items()}
        self.turned = None

    # ---- reading --------------------------------------------------------------------------

    def wait_read(self, what, read, expected, startswith=False):
        seen = []

        def probe():
            seen[:] = [read()]
            return seen[0].startswith(expected) if startswith else seen[0] == expected
        try:
            self.s.wait_until(what, probe)
        except harness.HarnessError:
            raise harness.HarnessError(f"{what} reads {seen[0] if seen else None!r}, expected "
                                       f"{'a text starting with ' if startswith else ''}{expected!r}") from None

    def wait_text(self, obj, expected, startswith=False):
        self.wait_read(f"the {obj.name!r} box", lambda: self.r.text(obj), expected, startswith)

    def wait_name(self, obj, expected, what):
        self.wait_read(what, lambda: self.r.name(obj), expected)

    def wait_main_enabled(self, enabled):
        self.s.wait_until(f"the main window to report itself {'enabled' if enabled else 'not enabled'}",
                          lambda: self.r.enabled(self.window) == enabled)

    def announced(self, box, before, since):
        """A box whose text changed must also have announced it, for a screen reader to say it."""
        after = self.r.text(box)
        if after == before:
            return
        name = box.name
        if after:
            # Qt sends a paragraph break in an event as U+2029, the box reads it as "\n".
            self.heard.wait(f"the {name!r} box's new text {after[:40]!r}",
                            lambda kind, source, d1, d2, data: kind == "object:text-changed:insert"
                            and source == ("text", name) and str(data).replace("\u2029", "\n") == after,
                            since)
        else:
            self.heard.wait(f"the {name!r} box emptied",
                            lambda kind, source, d1, d2, data: kind == "object:text-changed:delete"
                            and source == ("text", name), since)

    # ---- acting ---------------------------------------------------------------------------

    def press(self, name):
        self.r.press(self.verbs[name])

    def dismiss_intro(self):
        self.press(NEXT)
        self.s.wait_until("the intro to stop showing", lambda: not self.r.showing(self.intro))
        self.s.wait_until("ДАЛЕЕ... to stop showing", lambda: not self.r.showing(self.verbs[NEXT]))

    def offered(self, caption):
        """The showing control of the window on top that reads caption (a verb's caption
        changes with the level, so the main window's are read anew)."""
        buttons = self.verbs.values() if self.top is self.window else self.r.all(self.top, "push button")
        return self.s.wait_until(f"{caption!r} to be offered", lambda: next(
            (b for b in buttons if self.r.name(b) == caption and self.r.showing(b)), None))

    def examine(self, word):
        # What a screen reader's "set text" does; the game must take it as typed.
        self.word.queryEditableText().setTextContents(word)
        self.wait_text(self.word, word)
        self.press("ОБСЛЕДОВАТЬ")
        self.wait_text(self.word, "")  # the game empties the box once it has examined

    def turn(self, which):
        cards = sorted(self.r.all(self.top, "push button", FACE_DOWN), key=self.r.x)
        self.turned = cards[("left", "middle", "right").index(which)]
        self.r.press(self.turned)
        self.s.wait_until("the other cards to go",
                          lambda: not any(self.r.showing(c) for c in cards if c is not self.turned))
        results = [self.r.one(self.top, "push button", name) for name in RESULTS]
        shown = self.s.wait_until("a result to show", lambda: [b.name for b in results if self.r.showing(b)])
        assert len(shown) == 1, f"the turned card shows {shown}"

    # ---- the other windows ----------------------------------------------------------------

    def opened(self, name):
        """The shown top-level window of that name; the main window waits behind it."""
        window = self.s.wait_until(f"the window {name!r} to show", lambda: next(
            (w for w in self.r.top_levels() if w.name == name and self.r.showing(w)), None))
        self.wait_main_enabled(False)
        return window

    def close(self, window, name):
        self.r.press(self.r.one(window, "push button", name))
        self.s.wait_until(f"the window closed by {name!r} to go", lambda: not self.r.showing(window))
        self.wait_main_enabled(True)

    def check_table(self):
        """The card of fate as it opens: three cards face down, no result yet."""
        cards = self.r.all(self.top, "push button", FACE_DOWN)
        reading = "\n".join(self.r.reading(self.top))
        assert len(cards) == 3 and all(self.r.showing(c) for c in cards), reading
        print("\nThe card window before a card is turned:\n" + reading, flush=True)
        # Nothing a screen reader can reach may tell a card's word before it is turned.
        assert "Жизнь" not in reading, reading
        assert not any(self.r.showing(self.r.one(self.top, "push button", n)) for n in RESULTS), \
            "a result shows before a card is turned"

    # ---- the road -------------------------------------------------------------------------

    def walk(self, steps):
        for number, action, target, checks in steps:
            try:
                self.step(action, target, checks)
            except AssertionError as e:  # a HarnessError too
                raise harness.HarnessError(f"road.txt:{number}: {action} {target}: {e}") from None

    def step(self, action, target, checks):
        boxes = {"response": self.response, "place": self.description}
        before = {box: self.r.text(boxes[box]) for box in boxes}
        since = self.heard.mark()
        if action == "examine":
            self.examine(target)
        elif action == "turn":
            self.turn(target)
        elif target == NEXT:
            self.dismiss_intro()
        else:
            self.r.press(self.offered(target))
        for what, value in checks:
            self.check(what, value)
            if what in boxes:
                self.announced(boxes[what], before[what], since)

    def check(self, what, value):
        if what == "response":
            self.wait_text(self.response, value)
        elif what in CELLS:
            self.wait_name(self.cells[what], value, f"the {what} cell")
        elif what == "answer":
            self.wait_name(self.r.one(self.top, "label"), value, "the answer")
        elif what == "place":
            opening = "" if value == "none" else value.partition(" ")[2]
            self.wait_text(self.description, opening, startswith=bool(opening))
        elif what == "card":
            self.wait_name(self.turned, value, "the turned card")
        elif what == "window" and value == "Form1":
            self.s.wait_until("the window on top to go", lambda: not self.r.showing(self.top))
            self.wait_main_enabled(True)
            self.top = self.window
        elif what == "window":
            self.top = self.opened(WINDOWS[value])
            if value == "Stol":
                self.check_table()
        elif what == "ended":
            code = self.s.wait_exit()
            assert code == 0, f"the game ended with exit code {code}:\n{self.s.game_log()}"
        # "moment": nothing to check.


class ScreenReader(unittest.TestCase):
    def session(self):
        return ScreenReaderSession(BINARY, artefacts=harness.artefacts_dir(self))

    def test_main_window_reads_whole_and_its_buttons_press(self):
        with self.session() as s:
            r = a11y.Reader(s)
            window = r.main_window()
            splash = r.one(window, "text", "")  # the one box without a name reads its caption
            self.assertEqual(r.text(splash), SPLASH)
            s.wait_until("the title splash to stop showing", lambda: not r.showing(splash))
            # Qt's default (coarse) timers may fire up to 5 % early.
            self.assertGreaterEqual(time.monotonic() - s.started, 1.9, "the title splash went before 2 s")

            reading = r.reading(window)
            print("\nWhat a screen reader reads on the main window at the start, in order:")
            print("\n".join(reading), flush=True)

            p = ScreenReaderPlayer(s)
            for name, button in p.verbs.items():
                self.assertTrue(r.showing(button), f"{name!r} is not showing")
                self.assertTrue(any(a.lower() in a11y.ACTIVATE for a in r.actions(button)),
                                f"{name!r} has no press action: {r.actions(button)}")
            self.assertEqual({cell: r.name(label) for cell, label in p.cells.items()},
                             {"level": "1", "health": "25", "weapon": "", "goods": "", "pouch": ""})
            for box in (p.description, p.response, p.word):
                self.assertEqual(r.text(box), "", f"the {box.name!r} box is not empty at the start")
            self.assertTrue(r.text(p.intro).startswith("Много лет назад, на острове"), r.text(p.intro))
            self.assertTrue(r.showing(p.intro), "the intro is not showing at the start")

            # Whatever shows must say something: a name, a description or its text.
            for obj in r.walk(window):
                if obj.getRoleName() in ("push button", "label", "text") and r.showing(obj):
                    said = obj.name or obj.description or (r.text(obj) if obj.getRoleName() == "text" else "")
                    self.assertTrue(said, f"a showing {obj.getRoleName()} that a screen reader cannot name")

            p.dismiss_intro()
            self.assertTrue(r.enabled(window), "the main window is not enabled after the intro")

            # The buttons' actions do what their clicks do.
            p.press("Инфо")
            about = p.opened("Инфо")
            self.assertIsNotNone(r.first(about, "label", "ТАРВИЛОН     1.0"), r.reading(about))
            p.close(about, "Отмена")
            p.press("Выход")
            self.assertEqual(s.wait_exit(), 0, s.game_log())

    def test_the_road_played_through_the_bus(self):
        session = self.session()
        # Listening before the game starts also proves it learns that a screen reader listens.
        heard = a11y.Announcements(session, "object:text-changed")
        try:
            with session as s:
                p = ScreenReaderPlayer(s, heard)
                steps = road.load("road.txt")
                paid = next(i for i, step in enumerate(steps) if step[2] == "Увидимся!")
                p.walk(steps[:paid])
                no_coins = p.r.one(p.top, "push button", "К сожалению у меня нет монет!")
                self.assertFalse(p.r.showing(no_coins), "the guard offers 'no money' to a player who paid")
                p.walk(steps[paid:])
        finally:
            heard.close()


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
