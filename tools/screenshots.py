#!/usr/bin/python3
"""Screenshots of the game at the moments a player meets each window, taken on the road of
one whole game. Run by screenshots.sh: screenshots.py GAME_BINARY OUTDIR SCALE. The game takes
its language from the environment (LANGUAGE=en); the road's words and texts are then read
through the catalog the build compiled beside the game."""

import os
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "routes"))

import harness  # noqa: E402
import road  # noqa: E402
from catalog import Catalog  # noqa: E402
from layout import FORM1, INFO  # noqa: E402
from road import Player  # noqa: E402

# Road moments to file names; the first four are taken before the road starts. "place-N" is
# the description of store box N, right after ОСМОТРЕТЬСЯ.
MOMENTS = {
    "forester": "05-forester",
    "guard": "06-guard",
    "cards": "07-cards",
    "cards-turned": "08-cards-turned",
    "ending": "09-ending",
    **{f"place-{n}": f"10-place-{n:02}" for n in range(1, 13)},
}


class Translated:
    """The session as a player reading the catalog's language meets it: the road's Russian
    words typed, and the texts it waits for read, in that language."""

    def __init__(self, session, catalog):
        self.s, self.tr = session, catalog
        self.box = tuple(road.route.Layout.of_desktop().doing("Type"))  # where words are typed

    def __getattr__(self, name):
        return getattr(self.s, name)

    def type(self, text):
        self.s.type(self.tr.word(text))

    def wait_text(self, window, name, expected, startswith=False, **kw):
        shown = (self.tr.word(expected) if (window.name, name) == self.box else
                 self.tr.opening(expected) if startswith else self.tr.text(expected))
        return self.s.wait_text(window, name, shown, startswith=startswith, **kw)


def read_back(catalog):
    """The road finds what to click by the Russian captions: the screen it reads is read back
    into Russian, an object word last, so that a caption wins over a word that reads alike."""
    russian = {}
    for source, shown in sorted(catalog.texts.items(), key=lambda item: "\x04" not in item[0]):
        if source:
            russian[shown] = source.split("\x04")[-1]
    text = road.Screen.text
    road.Screen.text = lambda self, window, control: (
        lambda shown: russian.get(shown, shown))(text(self, window, control))


# The language LANGUAGE names first: the game is started in it, and the road read through it.
LANGUAGE = (os.environ.get("LANGUAGE") or "ru").split(":")[0].split("_")[0]


def catalog(binary):
    """The catalog of LANGUAGE, as the build compiled it; none for Russian."""
    path = os.path.join(os.path.dirname(os.path.abspath(binary)), "po", f"{LANGUAGE}.mo")
    return Catalog(path) if LANGUAGE != "ru" and os.path.exists(path) else Catalog()


def main():
    binary, outdir, scale = sys.argv[1], sys.argv[2], int(sys.argv[3])
    suffix = "" if scale == 1 else f"-{scale}x"
    os.makedirs(outdir, exist_ok=True)

    # The harness starts the Russian game unless told otherwise.
    with harness.Session(binary, scale=scale, artefacts=outdir, env={"LANGUAGE": LANGUAGE}) as s:
        def snap(name):
            path = os.path.join(outdir, f"{name}{suffix}.png")
            s.screenshot(path, settle(s))
            print(f"wrote {path}")

        s.wait_until("the splash", lambda: s.shown(FORM1, "Text5"))
        snap("01-start")
        s.wait_until("the splash to go", lambda: not s.shown(FORM1, "Text5"))
        snap("02-intro")

        def snap_moment(moment):
            # The road may name moments that need no picture.
            if moment in MOMENTS:
                snap(MOMENTS[moment])

        tr = catalog(binary)
        read_back(tr)
        player = Player(Translated(s, tr), snap=snap_moment)
        player.dismiss_intro()
        player.look("Вы видите обломки вертолёта")
        snap("03-look")

        s.click(FORM1, "Command3")
        player.opened(INFO)
        snap("04-about")
        player.close_window(INFO, "Command1")

        player.play_levels()
        code = s.wait_exit()
        if code != 0:
            raise harness.HarnessError(f"the game ended with exit code {code}")


def settle(s, tries=10):
    """Waits until two grabs of the game's windows agree, so that the picture is the
    repainted one, and returns the area grabbed. The about window's title blinks, so it may
    never agree: then the last grab stands."""
    previous = None
    for _ in range(tries):
        area = s.windows_area()
        grab = s.desk.run(["import", "-window", "root", "-crop", area, "rgb:-"], check=False, text=False).stdout
        if grab == previous:
            break
        previous = grab
        time.sleep(0.1)
    return area


if __name__ == "__main__":
    main()
