#!/usr/bin/python3
"""What a blind player hears: Orca, Debian's screen reader, judges a passage played by keys on
each edition (GAME_BINARY ScreenReader.test_desktop, or SITE ScreenReader.test_browser). Orca
logs all it would say; its launcher ends every other Orca of the user by name and writes the
log late, so this file, run with --orca, runs Orca's modules instead."""

import os
import re
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
HERE = os.path.dirname(os.path.abspath(__file__))

if __name__ == "__main__" and sys.argv[1] == "--orca":
    from orca import debug, orca
    debug.debugLevel, debug.eventDebugLevel = debug.LEVEL_ALL, debug.LEVEL_OFF
    debug.debugFile = open(sys.argv[2], "w", buffering=1)  # line by line: the test waits on it
    orca.getSettingsManager().activate(sys.argv[3], {})
    sys.exit(orca.main())

sys.path.insert(0, HERE)
import unittest  # noqa: E402

import harness  # noqa: E402
from layout import FORM1, pixels  # noqa: E402

BINARY = None  # the game, or the site
# A text may run over several lines; the voice's settings, where given, end it.
SPOKEN = re.compile(r"^(\S+) - SPEECH OUTPUT: '(.*?)'(?:(?: voice=\w+)? ?(?:\{[^\n]*\}|None))?$", re.M | re.S)
# Orca on these machines now and then takes 15 to 30 s to read a page that has just loaded, or
# to speak after a key, on two cores with its browser beside it.
SLOW_S = 90


class Ear:
    """Orca, and a player who moves by keys and knows where he is by what Orca says alone."""

    def __init__(self, desk):
        self.desk, self.log, home = desk, os.path.join(desk.tmp, "orca.log"), os.path.join(desk.tmp, "orca")
        env = dict(desk.env, HOME=home, XDG_CONFIG_HOME=home, GSETTINGS_BACKEND="memory")
        self.orca = desk.spawn(["/usr/bin/python3", __file__, "--orca", self.log, home], env=env)
        self.wait("Screen reader on.", 0, timeout=60)

    def said(self, since=0, timed=False):
        with open(self.log, errors="replace") as f:
            return [f"{at} {text}" if timed else text for at, text in SPOKEN.findall(f.read())][since:]

    def wait(self, text, since, timeout=30):
        try:
            harness.wait_for(text, lambda: any(text in t for t in self.said(since)), timeout)
        except harness.HarnessError:
            raise harness.HarnessError(f"Orca did not say {text!r}; it said {self.said(since)}") from None

    def key(self, key, hear=None):
        """Presses a key and waits to hear `hear`, or anything but the key's echo ("tab ")."""
        since = len(self.said())
        self.desk.run(["xdotool", "key", key])
        try:
            harness.wait_for(key, lambda: any(hear in t if hear else not t.endswith(" ")
                                              for t in self.said(since)), SLOW_S if hear else 3)
        except harness.HarnessError:
            if hear:
                raise harness.HarnessError(f"Orca did not say {hear!r}; it said {self.said(since)}") from None
        time.sleep(0.3)  # the rest of what it says

    def tab_to(self, name, back=False):
        """Tabs (back: Shift+Tab) until Orca names the control as it takes the focus."""
        for _ in range(30):
            since = len(self.said())
            self.key("shift+Tab" if back else "Tab")
            if any(t.startswith(name + " ") for t in self.said(since)):
                return
        raise harness.HarnessError(f"Tab does not reach {name!r}")


def passage(ear):
    """From "ДАЛЕЕ...": Look around, words examined, the way to the jungle, and the forester
    opened and closed."""
    ear.key("space")
    ear.tab_to("ОСМОТРЕТЬСЯ")
    ear.key("Return", "Вы видите обломки вертолёта")
    ear.tab_to("Предмет")
    for word, answer in (("вертолёт", "Аптечка"), ("тропинка", "Тропинка ведущая в джунгли")):
        ear.desk.run(["xdotool", "type", "--delay", "60", word])
        ear.tab_to("ОБСЛЕДОВАТЬ")
        ear.key("space", answer)
        ear.tab_to("Предмет", back=True)
    ear.tab_to("Идти", back=True)
    ear.key("space")
    ear.tab_to("Предмет")
    ear.desk.run(["xdotool", "type", "--delay", "60", "лесник"])
    ear.tab_to("ОБСЛЕДОВАТЬ")
    ear.key("space", "Лесник не прочь с вами поговорить")
    ear.tab_to("Разговор")
    ear.key("space", "Кто ты и как тебя зовут? push button")  # its first line
    ear.key("space", "Я лесник, Орвандо")
    ear.tab_to("Пока!", back=True)
    ear.key("space", "Разговор push button")  # the focus back where it was


class ScreenReader(unittest.TestCase):
    def setUp(self):
        self.desk = harness.desktop()
        self.ear = Ear(self.desk)
        self.addCleanup(self.desk.end, self.ear.orca)
        since = len(self.ear.said())
        self.addCleanup(lambda: print("\nWhat Orca said:\n" + "\n".join(self.ear.said(since, timed=True))))

    def focus(self, window):  # as a window system gives a new window the keyboard
        self.desk.run(["xdotool", "windowfocus", "--sync", window])

    def test_desktop(self):
        with harness.Session(BINARY, artefacts=harness.artefacts_dir(self)) as s:
            self.focus(next(w for w, r in s.windows().items() if (r.width, r.height) == pixels(FORM1.client)[2:]))
            for heard in ("ТАРВИЛОН.", "ДАЛЕЕ... push button.", "Много лет назад, на острове"):
                self.ear.wait(heard, 0)  # the title, and the way on told the intro
            passage(self.ear)

    def test_browser(self):
        sys.path.insert(0, os.path.join(HERE, "..", "web"))
        import browser  # the browser test's server
        server = browser.Server(BINARY)
        self.addCleanup(server.stop)
        # A Russian reader's browser, which offers no translation, with a window: a headless
        # one tells a screen reader nothing. No sandbox as root, and no bar to say so.
        profile = os.path.join(self.desk.tmp, "chromium")
        os.makedirs(os.path.join(profile, "Default"))
        with open(os.path.join(profile, "Default", "Preferences"), "w") as f:
            f.write('{"intl": {"accept_languages": "ru"}, "translate": {"enabled": false}}')
        self.desk.spawn(["chromium", "--force-renderer-accessibility", "--no-sandbox", "--test-type",
                         "--disable-gpu", "--no-first-run", f"--user-data-dir={profile}",
                         "--window-position=0,0", "--window-size=1024,768", f"--app={server.url}"])
        self.focus(harness.wait_for("Chromium's window", lambda: self.desk.run(
            ["xdotool", "search", "--onlyvisible", "--class", "chromium"], check=False).stdout.split()[-1]))
        for heard in ("ТАРВИЛОН", "ДАЛЕЕ... push button", "Много лет назад, на острове"):
            self.ear.wait(heard, 0, timeout=SLOW_S)  # the title, and the way on told the intro, as on the desktop
        passage(self.ear)


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
