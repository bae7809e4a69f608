#!/usr/bin/python3
"""The road in English (?lang=en) in headless Chromium, each word and caption through the
catalog, with a switch to Russian and back on the way that keeps the run; and a Russian
reader's browser gets the Russian game.

    test_languages.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import Catalog, Player, Test  # noqa: E402


class Languages(Test):
    def phases(self):
        return (("the road in English", self.english),)

    def english(self):
        """The road in English, each word and caption through the catalog; on the way, the page
        switched to Russian and back, the run going on in each."""
        p = self.p
        self.open()
        assert p.probe("lang") == "ru", \
            "a Russian reader's browser did not get the Russian game"
        p.layout = None  # the tables as they read in English
        self.open("?lang=en&scale=1")
        english = Catalog(os.path.join(self.site, "po", "en.mo"))
        self.seen = set()  # every window heard again, in English
        self.player = Player(p, on_window=self.heard_once, catalog=english)
        assert p.settings["title"] == english.text("ТАРВИЛОН"), p.settings
        self.heard(self.main)
        cut = next(i for i, step in enumerate(self.steps) if step[2] == "Идти") + 1
        self.player.walk(self.steps[:cut])
        before = self.labels(p.snapshot())
        self.switch("ru")
        after = self.labels(p.snapshot())
        kept = {k: english.text(v) for k, v in after.items()}
        assert kept == before, f"switching to Russian changed the run: {before} became {after}"
        self.switch("en")
        assert self.labels(p.snapshot()) == before, "switching back did not read as before"
        self.player.typed = False  # the input box is built anew: the player clicks into it again
        self.player.walk(self.steps[cut:])

    def switch(self, lang):
        """A click on the page's offer of another language, outside the game's windows."""
        p = self.p
        p.click(f"languages.{lang}")
        p.wait_until(f"the page in {lang}", lambda: p.probe("lang") == lang)
        p.layout = None
        p.wait_ready()

    def labels(self, snap):
        """What the main window's labels and cells read, by id."""
        kinds = {f"{self.main}.{c['name']}": c["kind"] for c in self.p.window(self.main)["controls"]}
        return {k: v["text"] for k, v in snap.items()
                if kinds.get(k) in ("Label", "Boxed", "Verb", "Click") and v["shown"]}


if __name__ == "__main__":
    Languages.main()
