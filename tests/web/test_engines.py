#!/usr/bin/python3
"""The road's first steps in an engine players use beyond Chromium: WebKit, every iPhone's (the
MiniBrowser under WebKitWebDriver, in Xvfb), or Firefox ESR (headless, over its own WebDriver
BiDi). The shared route player walks them with the mouse, up to the first dialogue closed, in
the classic view in a desktop's window and in the touch view in a phone's; the page must throw
no error and break nothing of its content policy.

    test_engines.py webkit|firefox SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import Player, Test, firefox, webkit  # noqa: E402

ENGINES = {"webkit": webkit, "firefox": firefox}
DESKTOP, PHONE = (1024, 768), (390, 844)  # CSS px


class Engine(Test):
    def __init__(self, engine, *args):
        super().__init__(*args)
        self.engine = engine

    def browser(self):
        return ENGINES[self.engine](*DESKTOP)

    def run(self, name):
        super().run(f"{name}-{self.engine}")

    def phases(self):
        return (("the classic view", lambda: self.play("?scale=1", DESKTOP)),
                ("the touch view on a phone", lambda: self.play("?view=touch", PHONE)))

    def play(self, query, size):
        p = self.p
        p.d.set_window_size(*size)
        p.scrolls = size == PHONE
        self.open(query)
        assert p.probe("touchView") == p.scrolls, f"{query} did not give the view it names"
        splash = next(f"{w['name']}.{c['name']}" for w in p.windows() for c in w["controls"] if c["kind"] == "Splash")
        p.wait_for("the splash to go", lambda s: not s[splash]["shown"])  # it takes the first click
        cut = next(i for i, step in enumerate(self.steps) if ("window", self.main) in step.checks) + 1
        Player(p).walk(self.steps[:cut])


if __name__ == "__main__":
    Engine.main()
