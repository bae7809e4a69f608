"""The road of one whole game, played through the windows as a person would.

The steps, and what each must lead to, come from tests/routes/road.txt, which the engine's
and the windows' whole-game tests play too. Each step clicks or types for real, then waits
until the windows show what the road expects: the wait is both the synchronisation and the
check. The screenshot script walks the same road and passes snap() to capture moments on it.
"""

import os

from layout import FORM1, FORM2, LESNIK, MUSIK, STOL, pixels

ROUTES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "routes")

LOOK, EXAMINE, WORD, DESCRIPTION = "Label5", "Label6", "Text3", "Text1"
WINDOWS = {w.name: w for w in (FORM1, LESNIK, MUSIK, STOL, FORM2)}
# The main window's cells that the road checks.
CELLS = {"response": "Text2", "level": "Label2", "health": "Label15",
         "weapon": "Label12", "goods": "Label13", "pouch": "Label14"}
CARDS = {"left": "Label2", "middle": "Label3", "right": "Label4"}
# Where the player finds each caption the road presses.
CONTROLS = {
    "ДАЛЕЕ...": (FORM1, "Label16"), "ОСМОТРЕТЬСЯ": (FORM1, LOOK), "Разговор": (FORM1, "Label7"),
    "Идти": (FORM1, "Label8"), "Мастерить": (FORM1, "Label9"), "Копать": (FORM1, "Label10"),
    "Стрелять": (FORM1, "Label10"), "Подобрать": (FORM1, "Label11"),
    "Кто ты и как тебя зовут?": (LESNIK, "Label2"),
    "Здесь поблизости есть какое-нибудь поселение?": (LESNIK, "Label3"), "Пока!": (LESNIK, "Label6"),
    "Как я понимаю вы охраник?": (MUSIK, "Label2"), "Могу ли я войти в нутрь?": (MUSIK, "Label3"),
    "Что интересного здесь есть?": (MUSIK, "Label4"),
    "Такие монеты пойдут? (Отдаёте 100 монет)": (MUSIK, "Label5"), "Увидимся!": (MUSIK, "Label6"),
    "Победа!": (STOL, "Label7"), "Конец...": (FORM2, "Label1"),
}


def load(name):
    """A route file as (line number, action, target, [(check, value)]) steps."""
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
            if line and not line.startswith("#"):
                action, *checks = [field(part) for part in line.split("|")]
                steps.append((number, *action, checks))
    return steps


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
        self.walk([step for step in load("road.txt") if step[2] != "ДАЛЕЕ..."])

    def walk(self, steps):
        for number, action, target, checks in steps:
            self.log(f"road.txt:{number}: {action} {target}")
            if target == "ДАЛЕЕ...":
                self.dismiss_intro()
            elif action == "examine":
                # The box must have the keyboard before xdotool types into whatever has it.
                self.s.click(FORM1, WORD)
                self.s.wait_until("the input box to take the focus", lambda: self.s.focused(FORM1, WORD))
                self.s.type(target)
                self.s.wait_text(FORM1, WORD, target)
                self.s.click(FORM1, EXAMINE)
                # Examine empties the input box at the end of the click, so an empty box
                # means the click was handled.
                self.s.wait_text(FORM1, WORD, "")
            elif action == "turn":
                self.turn(CARDS[target])
            else:
                window, control = CONTROLS[target]
                self.s.wait_text(window, control, target)  # the player clicks what he reads
                self.s.click(window, control)
            for what, value in checks:
                self.check(what, value, target)

    def check(self, what, value, target):
        s = self.s
        if what in CELLS:
            s.wait_text(FORM1, CELLS[what], value)
        elif what == "answer":
            s.wait_text(self.top, "Label1", value)
        elif what == "card":
            s.wait_text(STOL, CARDS[target], value)
        elif what == "place" and value == "none":
            s.wait_text(FORM1, DESCRIPTION, "")
        elif what == "place":
            number, _, opening = value.partition(" ")
            s.wait_text(FORM1, DESCRIPTION, opening, startswith=True)
            if target == "ОСМОТРЕТЬСЯ":
                self.snap(f"place-{number}")
        elif what == "window" and value == FORM1.name:
            s.wait_window_gone(self.top)
            s.wait_until("the main window to be enabled again", self.main_enabled)
            self.top = FORM1
        elif what == "window":
            self.top = WINDOWS[value]
            self.opened(self.top)
            if self.top is STOL:
                self.check_table()
        elif what == "moment":
            self.snap(value)
        # "ended": the caller waits for the program to exit.

    def check_table(self):
        """The card of fate as it opens: three cards face down, no result yet."""
        s = self.s
        for card in CARDS.values():
            s.wait_text(STOL, card, "Карта")  # face down: the word is not to be read yet
        assert not s.shown(STOL, "Label6") and not s.shown(STOL, "Label7"), "a result shows before a card is turned"

    def turn(self, card):
        s = self.s
        s.click(STOL, card)
        s.wait_until("the other two cards to vanish",
                     lambda: not any(s.shown(STOL, c) for c in CARDS.values() if c != card))
