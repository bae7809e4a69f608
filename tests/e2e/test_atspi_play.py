#!/usr/bin/python3
"""A blind player with a screen reader: the game read and played over the accessibility bus
alone. No click and no key press goes through the X server; every control is found by what
a screen reader knows of it (role, name, description), never by where it stands."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unittest  # noqa: E402

import a11y  # noqa: E402
import harness  # noqa: E402

BINARY = None

VERBS = ("ОСМОТРЕТЬСЯ", "ОБСЛЕДОВАТЬ", "Разговор", "Идти", "Мастерить", "Копать", "Подобрать")
# "&Инфо" reads without its mnemonic; the two captionless buttons by what they do.
BUTTONS = ("Инфо", "Свернуть", "Выход")
SLOTS = ("Инвентарь: 1", "Инвентарь: 2", "Инвентарь: 3")
SPLASH = "  ТАРВИЛОН"
NEXT = "ДАЛЕЕ..."
FACE_DOWN = "Карта"


class ScreenReaderSession(harness.Session):
    """The game found on the accessibility bus alone: no waiting on an X window."""

    def start(self):
        self.launch()
        self.app()


class ScreenReaderPlayer:
    """Plays through the main window's controls as a screen reader user does: reads a box,
    sets the input box's text, activates a control. Each step waits until the bus reads
    what the step must lead to."""

    def __init__(self, session, heard=None):
        self.s = session
        self.r = a11y.Reader(session)
        self.heard = heard
        self.window = self.r.main_window()
        one = self.r.one
        self.verbs = {name: one(self.window, "push button", name) for name in VERBS + (NEXT,) + BUTTONS}
        self.description = one(self.window, "text", "Описание места")
        self.response = one(self.window, "text", "Ответ")
        self.word = one(self.window, "text", "Предмет")
        self.intro = one(self.window, "text", "Предыстория")
        self.level = one(self.window, "label", description="Текущий уровень игры")
        self.health = one(self.window, "label", description="Здоровье")
        self.slots = [one(self.window, "label", description=d) for d in SLOTS]

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

    def wait_name(self, obj, expected, what=None):
        self.wait_read(what or f"the {obj.description or obj.getRoleName()!r} control",
                       lambda: self.r.name(obj), expected)

    def wait_main_enabled(self, enabled):
        self.s.wait_until(f"the main window to report itself {'enabled' if enabled else 'not enabled'}",
                          lambda: self.r.enabled(self.window) == enabled)

    # ---- the main window ------------------------------------------------------------------

    def press(self, name):
        self.r.press(self.verbs[name])

    def responds(self, act, expected, startswith=False):
        """Does act and waits for the response box to read expected; a change of the box
        must also be announced as a text change, for a screen reader to say it."""
        before = self.r.text(self.response)
        since = self.heard.mark()
        act()
        self.wait_text(self.response, expected, startswith)
        after = self.r.text(self.response)
        if after == before:
            return
        if after:
            # Qt sends a paragraph break in an event as U+2029, the box reads it as "\n".
            self.heard.wait(f"the response box's new text {after[:40]!r}",
                            lambda kind, source, d1, d2, data: kind == "object:text-changed:insert"
                            and source == ("text", "Ответ") and str(data).replace("\u2029", "\n") == after,
                            since)
        else:
            self.heard.wait("the response box emptied",
                            lambda kind, source, d1, d2, data: kind == "object:text-changed:delete"
                            and source == ("text", "Ответ"), since)

    def dismiss_intro(self):
        self.press(NEXT)
        self.s.wait_until("the intro to stop showing", lambda: not self.r.showing(self.intro))
        self.s.wait_until("ДАЛЕЕ... to stop showing", lambda: not self.r.showing(self.verbs[NEXT]))

    def look(self, opening):
        self.press("ОСМОТРЕТЬСЯ")
        self.wait_text(self.description, opening, startswith=True)

    def examine(self, word, response, startswith=False):
        # What a screen reader's "set text" does; the game must take it as typed.
        self.word.queryEditableText().setTextContents(word)
        self.wait_text(self.word, word)
        self.responds(lambda: self.press("ОБСЛЕДОВАТЬ"), response, startswith)
        self.wait_text(self.word, "")  # the game empties the box once it has examined

    def verb(self, name, response):
        self.responds(lambda: self.press(name), response)

    def pick_up(self, slot=None, item=None, health=None):
        self.responds(lambda: self.press("Подобрать"), "")
        if slot is not None:
            self.wait_name(self.slots[slot - 1], item)
        if health is not None:
            self.wait_name(self.health, str(health))

    def go(self, level):
        self.responds(lambda: self.press("Идти"), "")
        self.wait_name(self.level, str(level))
        self.wait_text(self.description, "")

    # ---- the other windows ----------------------------------------------------------------

    def opened(self, line, what):
        """The shown top-level window that offers line; the main window waits behind it."""
        window = self.r.window_with("push button", line, what)
        self.wait_main_enabled(False)
        return window

    def line(self, window, name):
        """A line of a window, once it is offered."""
        obj = self.r.one(window, "push button", name)
        self.s.wait_until(f"{name!r} to be offered", lambda: self.r.showing(obj))
        return obj

    def close(self, window, name):
        self.r.press(self.line(window, name))
        self.s.wait_until(f"the window closed by {name!r} to go", lambda: not self.r.showing(window))
        self.wait_main_enabled(True)


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
            for name in VERBS + (NEXT,) + BUTTONS:
                button = p.verbs[name]
                self.assertTrue(r.showing(button), f"{name!r} is not showing")
                self.assertTrue(any(a.lower() in a11y.ACTIVATE for a in r.actions(button)),
                                f"{name!r} has no press action: {r.actions(button)}")
            self.assertEqual(r.name(p.level), "1")
            self.assertEqual(r.name(p.health), "25")
            self.assertEqual([r.name(slot) for slot in p.slots], ["", "", ""])
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
            about = p.opened("Отмена", "the about window")
            self.assertIsNotNone(r.first(about, "label", "ТАРВИЛОН     1.0"), r.reading(about))
            p.close(about, "Отмена")
            p.press("Выход")
            self.assertEqual(s.wait_exit(), 0, s.game_log())

    def test_first_three_levels_and_the_card_of_fate_played_through_the_bus(self):
        session = self.session()
        heard = a11y.Announcements(session, "object:text-changed")
        try:
            with session as s:
                self.play(s, heard)
        finally:
            heard.close()

    def play(self, s, heard):
        p = ScreenReaderPlayer(s, heard)
        r = p.r
        p.dismiss_intro()

        since = heard.mark()
        p.look("Вы видите обломки вертолёта")
        # The first announcement also proves the game knows a screen reader listens.
        heard.wait("the description box's new text",
                   lambda kind, source, *_: kind == "object:text-changed:insert" and source == ("text", "Описание места"),
                   since)
        p.examine("вертолёт", "Аптечка")
        p.pick_up(health=50)
        p.examine("трупы", "Ружьё")
        p.pick_up(1, "Ружьё")
        p.examine("чемодан", "100 монет")
        p.pick_up(2, "100 монет")
        p.examine("тропинка", "Тропинка ведущая в джунгли")
        p.go(2)

        p.look("Вы в джунглях.")
        p.examine("лесник", "Лесник не прочь с вами поговорить")
        p.press("Разговор")
        forester = p.opened("Пока!", "the forester's window")
        answer = r.one(forester, "label")
        for line, expected in (("Кто ты и как тебя зовут?", "Я лесник, Орвандо. Хотя моё имя врятли о чём либо говорит"),
                               ("Здесь поблизости есть какое-нибудь поселение?", "Конечно есть, вон указатель дороги.")):
            r.press(p.line(forester, line))
            p.s.wait_until(f"the forester to answer {line!r}", lambda e=expected: r.name(answer).startswith(e))
        p.close(forester, "Пока!")
        p.examine("дерево", "Странное дерево со множеством красивых и прямых веток")
        p.examine("ветка", "Из этой ветки получилось бы хорошее копьё!")
        p.verb("Мастерить", "Копьё")
        p.pick_up(3, "Копьё")
        p.examine("табличка", "Вы не можете разобрать, что здесь написанно, но чётко видите стрелку вниз")
        p.verb("Копать", "Целебный порошок")
        p.pick_up(health=75)
        p.examine("указатель", "Указатель дороги указывающий на деревню")
        p.go(3)

        p.look("Пробираясь через заросли в")
        p.examine("ворота", "Охраник вас не пускает!")
        p.examine("охраник", "Он вас внимательно слушает")
        p.press("Разговор")
        guard = p.opened("Увидимся!", "the guard's window")
        answer = r.one(guard, "label")
        # Each line the player picks offers the next one.
        for line, expected in (("Как я понимаю вы охраник?", "Да! Ты что, невидишь?"),
                               ("Что интересного здесь есть?", "У нас в деревни есть всё!"),
                               ("Могу ли я войти в нутрь?", "Конечно! Только заплоти с начала 100 монет!"),
                               ("Такие монеты пойдут? (Отдаёте 100 монет)", "Золотые?(Пробует на зуб)")):
            r.press(p.line(guard, line))
            p.s.wait_until(f"the guard to answer {line!r}", lambda e=expected: r.name(answer).startswith(e))
        no_coins = r.one(guard, "push button", "К сожалению у меня нет монет!")
        self.assertFalse(r.showing(no_coins), "the guard offers 'no money' to a player who paid")
        p.wait_name(p.slots[1], "", "the paid coins' slot")
        p.close(guard, "Увидимся!")
        p.verb("Разговор", "Зачем же с ним ещё разговаривать?")
        p.examine("ворота", "Можете пройти")
        p.go(4)

        p.look("Вы находитесь в поселении.")
        self.card_of_fate(p)

    def card_of_fate(self, p):
        r = p.r
        p.word.queryEditableText().setTextContents("стол")
        p.wait_text(p.word, "стол")
        p.press("ОБСЛЕДОВАТЬ")
        table = p.opened(FACE_DOWN, "the card window")
        cards = sorted(r.all(table, "push button", FACE_DOWN), key=r.x)
        self.assertEqual(len(cards), 3, r.reading(table))
        self.assertTrue(all(r.showing(c) for c in cards), r.reading(table))
        # Nothing a screen reader can reach may tell a card's word before it is turned.
        reading = "\n".join(r.reading(table))
        print("\nThe card window before a card is turned:\n" + reading, flush=True)
        self.assertNotIn("Жизнь", reading)
        victory = r.one(table, "push button", "Победа!")
        death = r.one(table, "push button", "Вы погибли")
        self.assertFalse(r.showing(victory) or r.showing(death), "a result shows before a card is turned")
        self.assertFalse(r.enabled(p.window), "the main window reports itself enabled under the cards")

        r.press(cards[1])
        p.wait_name(cards[1], "Жизнь", "the middle card")
        p.s.wait_until("'Победа!' to show", lambda: r.showing(victory))
        p.s.wait_until("the other cards to go", lambda: not r.showing(cards[0]) and not r.showing(cards[2]))
        self.assertFalse(r.showing(death), "'Вы погибли' shows after drawing life")
        p.close(table, "Победа!")
        p.examine("стол", "Вам хватило одного раза поиграть.")


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
