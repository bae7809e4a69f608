"""The browser edition in a real headless Chromium, driven as a person would drive it.

Shared by the browser test, the screenshot script and the performance report: a static server
for the built site, one Chromium under chromedriver, and a Page that reads what every element
shows and clicks and types with real pointer and key events. Debian's /usr/bin/python3, where
selenium lives.
"""

import contextlib
import functools
import http.server
import json
import os
import shutil
import socketserver
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "routes"))

import route  # noqa: E402  the shared routes, and where their steps click and checks read
from catalog import Catalog  # noqa: E402  the routes' texts in another language
from route import load  # noqa: E402,F401  for the callers that walk a route

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# The sandbox refuses to run as root; no GPU in a headless box. A Russian reader's browser:
# the page takes its language from it, where no ?lang= says otherwise.
FLAGS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
         "--force-device-scale-factor=1", "--lang=ru")
TIMEOUT = 10.0  # s: a wait that takes longer has failed


class Server:
    """The site over HTTP on 127.0.0.1 at a free port, in a thread of this process, so that
    the test can take it away (offline) and nothing outlives the test."""

    def __init__(self, site, handler=None):
        handler = handler or Quiet
        self.httpd = socketserver.ThreadingTCPServer(
            ("127.0.0.1", 0), functools.partial(handler, directory=site), bind_and_activate=False)
        self.httpd.daemon_threads = True
        self.httpd.allow_reuse_address = True
        self.httpd.server_bind()
        self.httpd.server_activate()
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        if self.thread:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.thread.join()
            self.thread = None


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".woff2": "font/woff2", ".svg": "image/svg+xml", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def chromium(width=1024, height=768, extra=()):
    """One headless Chromium with its own fresh profile; quit by its driver, whose process is
    ended by PID if it does not go."""
    profile = tempfile.mkdtemp(prefix="tarvilon-chromium-")
    options = Options()
    options.binary_location = CHROMIUM
    for flag in (*FLAGS, f"--window-size={width},{height}", f"--user-data-dir={profile}", *extra):
        options.add_argument(flag)
    options.add_experimental_option("prefs", {"intl.accept_languages": "ru"})
    service = Service(CHROMEDRIVER, log_path=os.devnull)
    driver = webdriver.Chrome(service=service, options=options)
    process = service.process
    try:
        yield driver
    finally:
        try:
            driver.quit()
        finally:
            if process.poll() is None:
                process.kill()  # by its PID, which Popen holds
                process.wait()
            shutil.rmtree(profile, ignore_errors=True)


# The page's probes (see probes.js), and the call that runs one by name, awaiting its promise,
# or answers null where the document has not got them yet.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "probes.js"), encoding="utf-8") as _f:
    PROBES = _f.read()
CALL = ("const [name, args] = arguments;"
        " return window.__probes && Promise.resolve(__probes[name](...args)).then((r) => [r]);")


class WaitFailed(AssertionError):
    pass


class Page:
    """The page in one browser tab: reads with one script call, acts with real input."""

    def __init__(self, driver):
        self.d = driver
        self.layout = None
        self.settings = None
        self.taps = False  # a finger's taps instead of the mouse's clicks: see phone()

    def phone(self, width, height, scale=3, taps=True):
        """The tab as a phone's screen, WIDTH x HEIGHT CSS px: a coarse pointer that taps."""
        self.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": True})
        self.d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        self.taps = taps

    def desktop(self):
        for command in ("Emulation.clearDeviceMetricsOverride", "Emulation.setTouchEmulationEnabled"):
            self.d.execute_cdp_cmd(command, {"enabled": False} if "Touch" in command else {})
        self.taps = False

    def probe(self, name, *args):
        """What the probe NAME of probes.js returns for ARGS, in the document now shown."""
        got = self.d.execute_script(CALL, name, list(args))
        if got is None:
            self.d.execute_script(PROBES)
            got = self.d.execute_script(CALL, name, list(args))
        return got[0]

    def watch(self):
        """From the next document on, the probes are there before the page's own scripts, and
        record its errors, content-policy violations and splash (read by problems and splash)."""
        self.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROBES + "\n__probes.watch();"})

    def open(self, url):
        self.d.get(url)
        self.wait_ready()

    def wait_ready(self):
        self.wait_until("the page to be ready", lambda: self.probe("ready"))
        if self.layout is None:
            tables = self.probe("tables")
            assert isinstance(tables, list), f"the page's module did not load: {tables}"
            self.layout, self.settings = json.loads(tables[0]), json.loads(tables[1])

    def snapshot(self):
        return self.probe("snapshot")

    def wait_until(self, what, predicate, timeout=TIMEOUT):
        end = time.monotonic() + timeout
        while True:
            result = predicate()
            if result:
                return result
            if time.monotonic() > end:
                raise WaitFailed(f"timed out waiting for {what}")
            time.sleep(0.01)

    def wait_for(self, what, predicate, timeout=TIMEOUT):
        """Waits until predicate(snapshot) holds; returns that snapshot. On a timeout says what
        the page showed instead, through predicate's own message if it returns a string."""
        end = time.monotonic() + timeout
        while True:
            snap = self.snapshot()
            if predicate(snap) is True:
                return snap
            if time.monotonic() > end:
                raise WaitFailed(f"timed out waiting for {what}: {predicate(snap) or 'not so'}")
            time.sleep(0.01)

    def wait_text(self, element, text, startswith=False):
        def shows(snap):
            got = snap.get(element)
            if got and got["shown"] and (got["text"].startswith(text) if startswith else got["text"] == text):
                return True
            if not got:
                return f"there is no {element}"
            return f"{element} shows {shorten(got['text'])!r}" + ("" if got["shown"] else " (hidden)")
        return self.wait_for(f"{element} to show {text!r}", shows)

    # ---- real input ----------------------------------------------------------------------------

    def click_at(self, x, y, button=MouseButton.LEFT):
        if self.taps:
            self.tap(x, y)
            return
        actions = ActionBuilder(self.d, duration=0)
        actions.pointer_action.move_to_location(int(x), int(y))
        actions.pointer_action.pointer_down(button=button)
        actions.pointer_action.pointer_up(button=button)
        actions.perform()

    def click(self, element, snap=None):
        """A left click at the middle of the element as it stands on screen now; with taps,
        a tap there once the element is scrolled into view, as a player scrolls to it."""
        box = (snap or self.snapshot())[element]
        assert box["shown"], f"{element} is not on screen"
        x, y, w, h = box["rect"]
        if self.taps:
            x, y, w, h = self.probe("scrolledTo", element)
        self.click_at(x + w / 2, y + h / 2)

    def tap(self, x, y):
        """A finger down and up at (x, y), CSS px of the viewport."""
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def drag(self, x, y, dx, dy, button=MouseButton.LEFT, steps=4):
        actions = ActionBuilder(self.d, duration=20)
        actions.pointer_action.move_to_location(int(x), int(y))
        actions.pointer_action.pointer_down(button=button)
        for i in range(1, steps + 1):
            actions.pointer_action.move_to_location(int(x + dx * i / steps), int(y + dy * i / steps))
        actions.pointer_action.pointer_up(button=button)
        actions.perform()

    def type(self, text):
        """Key events for each character, to whatever has the keyboard."""
        ActionChains(self.d).send_keys(text).perform()

    # ---- the tables ------------------------------------------------------------------------------

    def windows(self):
        return self.layout["windows"]

    def window(self, name):
        return next(w for w in self.layout["windows"] if w["name"] == name)

    def controls(self):
        """(element id, window table, control table) of every control."""
        for w in self.layout["windows"]:
            for c in w["controls"]:
                yield f"{w['name']}.{c['name']}", w, c

    def main(self):
        """The main window's name, as the tables mark it."""
        return next(w["name"] for w in self.layout["windows"] if w["main"])

    def doing(self, what):
        """The element id of the control whose click does WHAT ("Minimise", ..)."""
        return next(key for key, _, c in self.controls() if c["does"]["what"] == what)

    def screenshot(self, path):
        self.probe("drawn")
        self.d.save_screenshot(path)


def shorten(text, most=120):
    return text if text is None or len(text) <= most else text[:most] + f"... ({len(text)} chars)"


CLICKABLE = ("Verb", "Click", "Button")


class Screen:
    """The page as one snapshot shows it, as the route reader asks."""

    def __init__(self, snap):
        self.snap = snap

    def text(self, window, control):
        return self.snap[f"{window}.{control}"]["text"]

    def shown(self, window, control):
        return self.snap[f"{window}.{control}"]["shown"]

    def window_shown(self, window):
        return self.snap[window]["shown"]

    def enabled(self, window):
        return self.snap[window]["shown"] and not self.snap[window]["inert"]


def key(target):
    return f"{target.window}.{target.control}"


class Player:
    """Walks a route file through the page. Every step waits until the page shows what the
    road expects: the wait is both the synchronisation and the check. Hooks let the caller
    look closer when a window first comes up or at a named moment."""

    def __init__(self, page, on_window=None, on_moment=None, before_first_examine=None, catalog=None):
        self.p = page
        self.tr = catalog or Catalog()  # the road's texts as the page shows them
        self.on_window = on_window or (lambda name: None)
        self.on_moment = on_moment or (lambda name: None)
        self.before_first_examine = before_first_examine
        self.clickable = {key for key, _, c in page.controls() if c["kind"] in CLICKABLE}
        self.layout = route.Layout(page.layout)
        self.main = self.layout.main
        self.input = key(self.layout.doing("Type"))
        self.examine_button = key(self.layout.doing("Press", "Examine"))
        # The main window's cells that a route checks, by the check's name.
        self.cells = {what: key(self.layout.cell(what)[0])
                      for what in ("response", "level", "health", "weapon", "goods", "pouch", "place")}
        self.typed = False
        self.log = []

    def el(self, control, form=None):
        return f"{form or self.main}.{control}"

    def walk(self, steps):
        for step in steps:
            number, action, target, checks = step
            if action == "press":  # the caption as the page shows it
                step = step._replace(target=self.tr.text(target))
            self.log.append(f"{number}: {action} {target}")
            try:
                if route.changes_nothing(step):
                    self.unchanged(step)
                elif action == "examine":
                    if self.before_first_examine:
                        hook, self.before_first_examine = self.before_first_examine, None
                        hook()
                    self.examine(self.tr.word(target))
                else:
                    self.click(step)
                for what, value in checks:
                    self.check(what, value, target)
            except AssertionError as e:
                raise AssertionError(f"route line {number} ({action} {target}): {e}") from None

    def click(self, step):
        """Clicks the one control on screen, in a window that takes input, that reads the
        step's caption, or the card it names."""
        def found(snap):
            move = self.layout.resolve(step, Screen(snap))
            return move.usable or f"{step.target!r} is not on screen to click"
        snap = self.p.wait_for(f"a control that takes clicks to read {step.target!r}", found)
        self.p.click(key(self.layout.resolve(step, Screen(snap)).click), snap)
        if step.action == "turn":
            others = [key(self.layout.card(c)) for c in route.CARDS if c != step.target]
            self.p.wait_for("the other two cards to go", lambda s: not any(s[c]["shown"] for c in others))

    def unchanged(self, step):
        """A step the route says changes nothing: the player clicks (and types) where he would,
        on a hidden control's place, or a window that takes no input, and nothing the page shows
        changes."""
        p = self.p
        before = p.snapshot()
        move = self.layout.resolve(step, Screen(before))
        if move.box and before[key(move.box)]["shown"]:
            p.click(key(move.box), before)
            p.type(self.tr.word(move.word))
        if move.click and before[key(move.click)]["shown"]:
            p.click(key(move.click), before)
        p.probe("frames")
        after = p.snapshot()
        changed = [k for k in before if {**before[k], "rect": None} != {**after.get(k, {}), "rect": None}]
        assert not changed, f"the step changed {changed}"

    def examine(self, word):
        # The player clicks into the box once; as on the desktop, the keyboard stays with it
        # through the clicks on verbs and the dialogues that come and go.
        if not self.typed:
            self.p.click(self.input)
            self.typed = True
        self.p.type(word)
        self.p.wait_for(f"{word!r} typed into the input box", lambda s: s[self.input]["text"] == word
                        or f"it reads {s[self.input]['text']!r}, the keyboard is with "
                           f"{self.p.probe('focused')!r}")
        self.p.click(self.examine_button)
        # Examine empties the input box at the end of the click: an empty box means it was handled.
        self.p.wait_text(self.input, "")

    def shown_dialogs(self, snap):
        return [w["name"] for w in self.p.windows() if w["name"] != self.main and snap[w["name"]]["shown"]]

    def check(self, what, value, target):
        p = self.p
        if what == "place":
            number, _, opening = value.partition(" ")
            value = f"{number} {self.tr.opening(opening)}"
        elif what not in ("window", "ended", "moment", "unchanged"):
            value = self.tr.text(value)
        if what == "place":
            number, _, opening = value.partition(" ")
            p.wait_text(self.cells[what], "" if number == "none" else opening, startswith=number != "none")
        elif what in self.cells:
            p.wait_text(self.cells[what], value)
        elif what == "answer":
            dialogs = self.shown_dialogs(p.snapshot())
            answers = [key(t) for t in self.layout.cell(what) if t.window in dialogs]
            assert len(answers) == 1, f"an answer is expected in one window, shown: {dialogs}"
            p.wait_text(answers[0], value)
        elif what == "card":
            p.wait_text(key(self.layout.card(target)), value)
        elif what == "window":
            self.wait_window(value)
        elif what == "ended":
            self.wait_ended()
        elif what == "moment":
            self.on_moment(value)
        elif what != "unchanged":
            raise AssertionError(f"the route checks {what!r}, which this player cannot read")

    def wait_window(self, name):
        """name takes the input: alone on screen with the main window, which is inert under it."""
        def up(snap):
            dialogs = self.shown_dialogs(snap)
            main = snap[self.main]
            wanted = [] if name == self.main else [name]
            if dialogs == wanted and main["shown"] and main["inert"] == bool(wanted):
                return True
            return f"dialogs shown {dialogs}, main window {'inert' if main['inert'] else 'takes input'}"
        self.p.wait_for(f"window {name} to take the input", up)
        self.on_window(name)

    def wait_ended(self):
        def over(snap):
            windows = [w["name"] for w in self.p.windows() if snap[w["name"]]["shown"]]
            return not windows and snap["over"]["shown"] or f"windows still shown: {windows}"
        self.p.wait_for("the run to end", over)
