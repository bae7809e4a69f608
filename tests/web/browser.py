"""The browser edition in a real browser, driven as a person would drive it.

Shared by the browser tests, the screenshot script and the performance report: a static
server for the built site; headless Chromium under chromedriver, WebKit's MiniBrowser under its
WebKitWebDriver in Xvfb, and headless Firefox ESR over its own WebDriver BiDi; a Page that reads
what every element shows and clicks and types with real pointer and key events, the same in
each engine; a Player that walks a shared route through it, by pointer or by keys; and Test,
the frame of every browser test. Debian's /usr/bin/python3, where selenium lives.
"""

import base64
import contextlib
import faulthandler
import functools
import http.server
import json
import os
import re
import shutil
import signal
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import traceback

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.command import Command

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.join(HERE, "..", "routes"))

import route  # noqa: E402  the shared routes, and where their steps click and checks read
from catalog import Catalog  # noqa: E402  the routes' texts in another language
from route import load  # noqa: E402,F401  for the callers that walk a route

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
FIREFOX = "/usr/bin/firefox-esr"
# The sandbox refuses to run as root; no GPU in a headless box. A Russian reader's browser:
# the page takes its language from it, where no ?lang= says otherwise.
FLAGS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
         "--force-device-scale-factor=1", "--lang=ru")
TIMEOUT = 10.0  # s: a wait that takes longer has failed
INTRO = "Text4"  # the main window's box that the run begins with
START_S = 60  # for a browser to come up, or a page to load, on a busy machine
HUNG_S = 280  # a test still running then has hung: ctest ends it at 300
# WebDriver's key values: Tab, Shift, Enter.
TAB, SHIFT, ENTER = "\ue004", "\ue008", "\ue007"


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
    driver.set_page_load_timeout(START_S)  # a load that hangs fails here, saying where
    try:
        with quitting(driver):
            yield driver
    finally:
        shutil.rmtree(profile, ignore_errors=True)


@contextlib.contextmanager
def quitting(driver):
    """The driver, quit at the end; its process ended by PID if it does not go."""
    process = driver.service.process
    try:
        yield driver
    finally:
        try:
            driver.quit()
        finally:
            if process.poll() is None:
                process.kill()  # by its PID, which Popen holds
                process.wait()


@contextlib.contextmanager
def webkit(width=1024, height=768):
    """WebKit's MiniBrowser under WebKitWebDriver, in this process's Xvfb (the end-to-end
    tests' desktop, which gives it a session bus of its own too), its window WIDTH x HEIGHT."""
    sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
    import harness
    from selenium.webdriver.webkitgtk.options import Options as WebKitOptions
    harness.desktop(screen=(max(width, 1024), max(height, 900)))  # sets DISPLAY for what it starts
    options = WebKitOptions()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    with quitting(webdriver.WebKitGTK(options=options, service_log_path=os.devnull)) as driver:
        driver.set_window_size(width, height)
        yield driver


@contextlib.contextmanager
def firefox(width=1024, height=768):
    """Headless Firefox ESR with a fresh profile, over WebDriver BiDi (see Firefox); ended by
    its process group, which holds its content processes."""
    profile = tempfile.mkdtemp(prefix="tarvilon-firefox-")
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.write('user_pref("remote.active-protocols", 1);\n'  # BiDi only
                'user_pref("intl.accept_languages", "ru");\n')
    log = os.path.join(profile, "log")
    with open(log, "wb") as out:
        process = subprocess.Popen([FIREFOX, "--headless", "--no-remote", "--profile", profile,
                                    "--remote-debugging-port=0"], stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True)
    driver = None
    try:
        def listening():
            with open(log, encoding="utf-8", errors="replace") as f:
                found = re.search(r"WebDriver BiDi listening on ws://127\.0\.0\.1:(\d+)", f.read())
            return found and found.group(1)
        driver = Firefox(wait_until("Firefox to listen", listening, START_S))
        driver.set_window_size(width, height)
        yield driver
    finally:
        if driver:
            with contextlib.suppress(Exception):
                driver.send("browser.close", {})
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)  # the group this test started, by its PID
            process.wait()
        shutil.rmtree(profile, ignore_errors=True)


class Firefox:
    """Firefox over WebDriver BiDi, which it speaks itself (Debian has no geckodriver): the few
    commands the tests use, under the names selenium's drivers give them, so that a Page drives
    it as it drives the others. What the page logs as an error is kept in errors."""

    def __init__(self, port):
        import websocket
        # Firefox refuses a handshake that carries an Origin.
        self.ws = websocket.create_connection(f"ws://127.0.0.1:{port}/session", suppress_origin=True,
                                              timeout=START_S)
        self.last = 0
        self.errors = []
        self.send("session.new", {"capabilities": {}})
        self.send("session.subscribe", {"events": ["log.entryAdded"]})
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]

    def send(self, method, params):
        self.last += 1
        self.ws.send(json.dumps({"id": self.last, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.last:
                if "error" in message:
                    raise AssertionError(f"{method}: {message['error']}: {message.get('message')}")
                return message["result"]
            if message.get("method") == "log.entryAdded" and message["params"]["level"] == "error":
                self.errors.append(message["params"]["text"])

    def get(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})

    def execute_script(self, body, *args):
        """As selenium's: BODY a function's body that reads arguments and may return a promise;
        arguments and result travel as JSON."""
        got = self.send("script.callFunction", {
            "functionDeclaration": "(json) => Promise.resolve((function () {" + body + "\n}).apply(null, "
                                   "JSON.parse(json))).then((r) => JSON.stringify(r === undefined ? null : r))",
            "arguments": [{"type": "string", "value": json.dumps(args)}],
            "target": {"context": self.context}, "awaitPromise": True})
        if got["type"] == "exception":
            raise AssertionError(f"the script threw: {got['exceptionDetails']['text']}")
        return json.loads(got["result"]["value"])

    def perform(self, sources):
        self.send("input.performActions", {"context": self.context, "actions": sources})

    def preload(self, source):
        self.send("script.addPreloadScript", {"functionDeclaration": "() => {" + source + "\n}"})

    def set_window_size(self, width, height):
        self.send("browsingContext.setViewport", {"context": self.context,
                                                  "viewport": {"width": width, "height": height}})

    def save_screenshot(self, path):
        shot = self.send("browsingContext.captureScreenshot", {"context": self.context})
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))


# The page's probes (see probes.js), and the call that runs one by name, awaiting its promise,
# or answers null where the document has not got them yet.
with open(os.path.join(HERE, "probes.js"), encoding="utf-8") as _f:
    PROBES = _f.read()
CALL = ("const [name, args] = arguments;"
        " return window.__probes && Promise.resolve(__probes[name](...args)).then((r) => [r]);")


def wait_until(what, predicate, timeout=TIMEOUT):
    """predicate()'s first true value, polled; fails after timeout."""
    end = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > end:
            raise WaitFailed(f"timed out waiting for {what}")
        time.sleep(0.01)


class WaitFailed(AssertionError):
    pass


class Page:
    """The page in one browser tab: reads with one script call, acts with real input. The
    same in each engine but for phone(), desktop() and tap(), which ask Chromium itself."""

    def __init__(self, driver):
        self.d = driver
        self.layout = None
        self.settings = None
        self.taps = False  # a finger's taps instead of the mouse's clicks: see phone()
        self.scrolls = False  # a screen too small for the page, scrolled to what is clicked
        self.late_watch = False  # the probes' watch installed after each load: see watch()
        self.last_focus = None  # the control reach() came to last

    def phone(self, width, height, scale=3, taps=True):
        """The tab as a phone's screen, WIDTH x HEIGHT CSS px: a coarse pointer that taps."""
        self.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": True})
        self.d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        self.taps = self.scrolls = taps

    def desktop(self):
        for command in ("Emulation.clearDeviceMetricsOverride", "Emulation.setTouchEmulationEnabled"):
            self.d.execute_cdp_cmd(command, {"enabled": False} if "Touch" in command else {})
        self.taps = self.scrolls = False

    def probe(self, name, *args):
        """What the probe NAME of probes.js returns for ARGS, in the document now shown."""
        got = self.d.execute_script(CALL, name, list(args))
        if got is None:
            self.d.execute_script(PROBES)
            got = self.d.execute_script(CALL, name, list(args))
        return got[0]

    def watch(self):
        """From the next document on, the probes are there before the page's own scripts, and
        record its errors, content-policy violations and splash (read by problems and splash).
        WebKit's driver has no way in before the page: there, after each load of open()."""
        source = PROBES + "\n__probes.watch();"
        if hasattr(self.d, "execute_cdp_cmd"):
            self.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": source})
        elif isinstance(self.d, Firefox):
            self.d.preload(source)
        else:
            self.late_watch = True

    def problems(self):
        """[errors the page threw or logged, content-policy violations] since it loaded."""
        errors, violations = self.probe("problems")
        return errors + getattr(self.d, "errors", []), violations

    def open(self, url):
        self.d.get(url)
        if self.late_watch:
            self.probe("watch")
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
        return wait_until(what, predicate, timeout)

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

    def perform(self, source):
        """One source of WebDriver actions (a pointer's or the keyboard's), in any engine."""
        if isinstance(self.d, Firefox):
            self.d.perform([source])
        else:
            self.d.execute(Command.W3C_ACTIONS, {"actions": [source]})

    def pointer(self, x, y, button, moves=(), duration=0):
        """The mouse pressed at (x, y), moved by each (dx, dy) of moves, let go."""
        at = [{"type": "pointerMove", "x": int(x + dx), "y": int(y + dy), "duration": duration, "origin": "viewport"}
              for dx, dy in moves]
        self.perform({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "x": int(x), "y": int(y), "duration": 0, "origin": "viewport"},
            {"type": "pointerDown", "button": button}, *at, {"type": "pointerUp", "button": button}]})

    def click_at(self, x, y, button=0):
        if self.taps:
            self.tap(x, y)
        else:
            self.pointer(x, y, button)

    def click(self, element, snap=None):
        """A left click at the middle of the element as it stands on screen now; on a small
        screen once it is scrolled into view, as a player scrolls to it."""
        box = (snap or self.snapshot())[element]
        assert box["shown"], f"{element} is not on screen"
        x, y, w, h = box["rect"]
        if self.scrolls:
            x, y, w, h = self.probe("scrolledTo", element)
        self.click_at(x + w / 2, y + h / 2)

    def tap(self, x, y):
        """A finger down and up at (x, y), CSS px of the viewport."""
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def drag(self, x, y, dx, dy, button=0, steps=4):
        self.pointer(x, y, button, [(dx * i / steps, dy * i / steps) for i in range(1, steps + 1)], duration=20)

    def type(self, text):
        """Key events for each character, to whatever has the keyboard."""
        self.perform({"type": "key", "id": "keyboard", "actions": [
            {"type": kind, "value": c} for c in text for kind in ("keyDown", "keyUp")]})

    def press(self, *keys):
        """The keys pressed together (Shift+Tab), let go in reverse."""
        self.perform({"type": "key", "id": "keyboard", "actions": [
            *({"type": "keyDown", "value": k} for k in keys), *({"type": "keyUp", "value": k} for k in reversed(keys))]})

    def reach(self, target):
        """Moves the keyboard's focus from wherever it is to target by Tab, or by Shift+Tab
        where target comes before the focus in its window's tab order, and returns the presses.
        Fails if the focus leaves the window's own controls or wraps round before it gets
        there."""
        window = target.split(".")[0]
        order, start, at = self.probe("tabOrder", window, self.last_focus)
        assert target in order, f"Tab cannot reach {target}: window {window} offers {order}"
        goal = order.index(target)
        back = at > goal
        presses = 0
        while at != goal:
            self.press(*((SHIFT, TAB) if back else (TAB,)))
            presses += 1
            _, now, then = self.probe("tabOrder", window, self.last_focus)
            way = f"{'Shift+' if back else ''}Tab {presses} times from {start or 'nothing'!r} to {target}"
            assert now in order, f"{way}: the focus left window {window} for {now!r}"
            assert (then < at if back else then > at), f"{way}: the focus wrapped round to {now!r}"
            at = then
        self.last_focus = target
        return presses

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
    look closer when a window first comes up or at a named moment. With keys, the player has
    no pointer: he Tabs to each control (Page.reach) and presses Space or Enter, in turn, and
    presses holds the Tab presses each step took."""

    def __init__(self, page, on_window=None, on_moment=None, before_first_examine=None, catalog=None, keys=False):
        self.p = page
        self.keys = keys
        self.presses = []
        self.pressed = 0
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
            self.presses.append(0)
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
        self.use(key(self.layout.resolve(step, Screen(snap)).click), snap)
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
        if self.keys:  # only what Tab reaches; the rest is the pointer's case
            if move.usable:
                if move.box:
                    self.type_in(self.tr.word(move.word))
                self.use(key(move.click))
        elif move.box and before[key(move.box)]["shown"]:
            p.click(key(move.box), before)
            p.type(self.tr.word(move.word))
        if not self.keys and move.click and before[key(move.click)]["shown"]:
            p.click(key(move.click), before)
        p.probe("frames")
        after = p.snapshot()
        changed = [k for k in before if {**before[k], "rect": None} != {**after.get(k, {}), "rect": None}]
        assert not changed, f"the step changed {changed}"

    def examine(self, word):
        self.type_in(word)
        self.use(self.examine_button)
        # Examine empties the input box at the end of the click: an empty box means it was handled.
        self.p.wait_text(self.input, "")

    def type_in(self, word):
        """The word typed into the input box. The pointer's player clicks into it once: as on the
        desktop, the keyboard stays with it through the clicks on verbs and the dialogues that
        come and go. The keys' player Tabs to it each time."""
        if self.keys:
            self.presses[-1] += self.p.reach(self.input)
        elif not self.typed:
            self.p.click(self.input)
            self.typed = True
        self.p.type(word)
        self.p.wait_for(f"{word!r} typed into the input box", lambda s: s[self.input]["text"] == word
                        or f"it reads {s[self.input]['text']!r}, the keyboard is with "
                           f"{self.p.probe('focused')!r}")

    def use(self, control, snap=None):
        """A click on the control, or Tab to it, where it shows its focus ring, and Space or
        Enter, in turn. (The input box shows its focus by its caret.)"""
        if self.keys:
            self.presses[-1] += self.p.reach(control)
            ring, _ = self.p.probe("ring")
            assert ring != "none", f"{control} has the focus and shows no ring"
            self.pressed += 1
            self.p.press(" " if self.pressed % 2 else ENTER)
        else:
            self.p.click(control, snap)

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


# What a screen reader must hear from each kind of control, given its table row and what it
# reads now: (role, name, description); None leaves that part unchecked, and a kind mapped
# to None is not checked at all.
_button = lambda c, text: ("button", c["accessible"] or text, None)  # noqa: E731
_box = lambda c, text: ("textbox", c["accessible"], None)  # noqa: E731
_described = lambda c, text: (None, None, c["accessible"]) if c["accessible"] else None  # noqa: E731
HEARD = {
    "Verb": _button,
    "Click": _button,
    "Button": _button,
    "Text": _box,
    "Input": _box,
    "Picture": lambda c, text: ("image", c["accessible"], None) if c["accessible"] else None,
    "Panel": lambda c, text: ("group", c["tooltip"], None) if c["tooltip"] else None,
    "Boxed": _described,
    "Label": _described,
    "Splash": lambda c, text: None,
}


def accessibility_tree(driver):
    """The browser's accessibility tree, as a screen reader gets it, by element id: role,
    name, description and properties of every node not ignored."""
    ids = {}

    def walk(node):
        attributes = node.get("attributes", [])
        for key, value in zip(attributes[::2], attributes[1::2]):
            if key == "id":
                ids[node["backendNodeId"]] = value
        for child in node.get("children", []):
            walk(child)

    walk(driver.execute_cdp_cmd("DOM.getDocument", {"depth": -1})["root"])
    nodes = {}
    for node in driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]:
        key = ids.get(node.get("backendDOMNodeId"))
        if node.get("ignored") or key is None:
            continue
        summary = {part: node[part]["value"] for part in ("role", "name", "description") if part in node}
        summary.update({prop["name"]: prop["value"].get("value") for prop in node.get("properties", [])})
        nodes[key] = summary
    return nodes


class Test:
    """The frame of a browser test: a server of its own for the site, a fresh browser (headless
    Chromium unless browser() says otherwise), and the test's phases run in order; after each,
    the page must have thrown nothing and broken nothing of its content policy. A failure leaves
    the screen in NAME-failure.png in the working folder.

        test_NAME.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
    """

    def __init__(self, site, road, *routes):
        self.site = site
        self.steps = load(road)
        self.routes = [load(r) for r in routes]  # each played in a new run after the road
        self.seen = set()  # windows whose accessibility has been checked

    def browser(self):
        return chromium()

    def phases(self):
        """(name, what to do) of each phase, in order."""
        raise NotImplementedError

    def run(self, name):
        self.server = Server(self.site)
        self.url = self.server.url
        try:
            with self.browser() as driver:
                self.p = Page(driver)
                self.p.watch()
                try:
                    for what, phase in self.phases():
                        began = time.monotonic()
                        phase()
                        errors, violations = self.p.problems()
                        assert not errors, f"the page threw: {errors}"
                        assert not violations, f"the content policy was violated: {violations}"
                        print(f"ok  {what} ({time.monotonic() - began:.1f} s)", flush=True)
                except BaseException:
                    self.p.d.save_screenshot(os.path.abspath(f"{name}-failure.png"))
                    raise
        finally:
            self.server.stop()

    @classmethod
    def main(cls):
        if len(sys.argv) < 3:
            sys.exit(sys.modules["__main__"].__doc__)
        began = time.monotonic()
        faulthandler.dump_traceback_later(HUNG_S)  # where a test hangs, before ctest ends it
        try:
            cls(*sys.argv[1:]).run(os.path.splitext(os.path.basename(sys.argv[0]))[0])
        except Exception:
            traceback.print_exc()
            print(f"FAILED after {time.monotonic() - began:.1f} s")
            sys.exit(1)
        print(f"passed in {time.monotonic() - began:.1f} s")

    def open(self, query="?scale=1"):
        """The page at the test's server; what its main window shows at the start of the run."""
        self.p.open(self.url + query)
        self.main = self.p.main()
        self.at_start = self.main_texts(self.p.snapshot())

    def new_run(self):
        p = self.p
        p.wait_text("over.message", p.settings["gameOver"])
        p.click("over.newRun")
        p.wait_ready()
        # The new run starts as the first did, with nothing left of the old one.
        p.wait_for("a new run as the first began",
                   lambda s: s[self.main]["shown"] and not s["over"]["shown"] and self.main_texts(s) == self.at_start)

    def main_texts(self, snap):
        return {k: v["text"] for k, v in snap.items() if k.startswith(self.main + ".")}

    def heard_once(self, form):
        if form not in self.seen:
            self.heard(form)
        self.no_ring()

    def no_ring(self):
        """A window that came up for a pointer's click, or under the word just typed, shows no
        focus ring: that is for a player who moves with the keyboard."""
        ring, where = self.p.probe("ring")
        assert ring == "none", f"a focus ring ({ring}) on {where}"

    def heard(self, form):
        """Every control of the window on screen reads to a screen reader as its table says;
        a secondary window is a modal dialog and nothing of the main window is reachable."""
        self.seen.add(form)
        p = self.p
        nodes = accessibility_tree(p.d)
        snap = p.snapshot()
        w = p.window(form)
        wrong = []

        def expect(key, what, want, got):
            if want is not None and want != got:
                wrong.append(f"{key}: {what} {got!r}, expected {want!r}")

        node = nodes.get(form, {})
        expect(form, "name", w["accessible"], node.get("name"))
        if form == self.main:
            response = ".".join(route.Layout(p.layout).cell("response")[0])
            expect(response, "live", "polite", nodes.get(response, {}).get("live"))
        else:
            expect(form, "role", "dialog", node.get("role"))
            expect(form, "modal", True, node.get("modal"))
            reachable = [k for k in nodes if k.startswith(self.main + ".")]
            expect(self.main, "reachable controls", [], reachable)
        for c in w["controls"]:
            key = f"{form}.{c['name']}"
            if not snap[key]["shown"]:
                continue
            heard = HEARD[c["kind"]](c, snap[key]["text"])
            if heard is None:
                continue
            node = nodes.get(key)
            if node is None:
                wrong.append(f"{key}: not in the accessibility tree")
                continue
            for what, want in zip(("role", "name", "description"), heard):
                expect(key, what, want, node.get(what))
            # Whatever the table says, nothing the player uses goes unnamed, in any window.
            if c["kind"] in ("Text", "Input", "Verb", "Click", "Button") and not node.get("name"):
                wrong.append(f"{key}: no name")
        assert not wrong, f"window {form} reads wrong to a screen reader:\n  " + "\n  ".join(wrong)
