#!/usr/bin/python3
"""The browser edition played from start to end in one headless Chromium, with real pointer
and key events: the start-up, the about window, minimising, dragging, input the game must
shrug off, the whole shared road with its card of fate and ending, what a screen reader hears
in every window, a new run that plays the detours, the road again in English (?lang=en) with
a switch of language on the way that keeps the run, the road once more in the touch view on a
phone with taps, and a reload with no network after the first visit; all of it under the
page's content policy. Then the page under faults: a wasm
file missing or cut short and retried, a browser without WebAssembly, and a new build
published while the page is open.

    test_play.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
from urllib.parse import urlsplit

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from selenium.webdriver.common.actions.mouse_button import MouseButton  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

from browser import Catalog, Page, Player, Quiet, Server, chromium, load, shorten  # noqa: E402

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

INTRO, ABOUT, ABOUT_CLOSE = "Text4", "Command3", "Command1"
SPLASH_MS = (1800, 4000)  # on screen: the timer starts as the window is built, before the
# first frame is laid out, and a busy machine may be late
WORKER_S = 30  # for the service worker to have the game kept
UPDATE_S = 2  # between reloads: the browser checks for a new worker once the old one is idle
# (then the next load or the one after runs the new build; a busy machine may need more)

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

PHONE = (390, 844)  # CSS px, at a device scale of 3
# Widths upright, and a phone on its side, at which no page may be wider than the screen.
PHONE_SIZES = ((320, 700), (360, 640), (390, 844), (430, 932), (844, 390))
KEYBOARD = 336  # px of the screen an on-screen keyboard takes upright, about half that on its side
THUMB_PX = 44  # the smallest box a finger is given
READABLE_PX = 16  # the smallest text on a phone

# Input no game would expect: mixed scripts typed key by key, then a huge paste of control
# characters, right-to-left marks, combining accents, astral symbols and markup. (Line breaks
# never reach the game: a one-line box turns them into blanks itself.)
TYPED = "Abc ДЕФ ελλη עברית 中文 ǅ"
PASTED = "ж\u0000\u0007\u001b[31m\t\u202e\u0301\u200b漢字\U0001f600\U0001d11e\\\"'<b>&amp;" * 4000


def read_lines():
    """(box id, what, [hand-broken line with "|" where the box wraps it]) for every text."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "routes", "lines.txt")
    texts = []
    with open(path, encoding="utf-8") as f:
        for line in f.read().split("\n"):
            if line.startswith("#") or not line:
                continue
            if line.startswith("== "):
                box, what = line[3:].split(" ", 1)
                texts.append((box, what, []))
            else:
                texts[-1][2].append("" if line == "~" else line)
    return [(box, what, ["~" if not l else l for l in lines]) for box, what, lines in texts]


class Test:
    def __init__(self, site, road, *routes):
        self.site = site
        self.steps = load(road)
        self.routes = [load(r) for r in routes]  # each played in a new run after the road
        self.seen = set()  # windows whose accessibility has been checked

    def run(self):
        server = Server(self.site)
        try:
            with chromium() as driver:
                self.p = Page(driver)
                try:
                    self.phases(server)
                except BaseException:
                    self.p.d.save_screenshot(os.path.abspath("test_play-failure.png"))
                    raise
        finally:
            server.stop()

    def phases(self, server):
        self.p.watch()
        for name, phase in (("start-up", lambda: self.start(server.url)),
                            ("line breaks", self.line_breaks),
                            ("health", self.health),
                            ("about window", self.about),
                            ("minimise and restore", self.minimise),
                            ("drag", self.drag),
                            ("the whole road", self.road),
                            ("a new run", self.new_run),
                            ("the other routes, each in a new run", self.other_routes),
                            ("the road in English", lambda: self.english(server.url)),
                            ("the road in the touch view, tapped", lambda: self.touch(server.url)),
                            ("offline reload", lambda: self.offline(server)),
                            ("a failed load, retried", self.faults),
                            ("no WebAssembly", self.no_wasm),
                            ("a new build published", self.update)):
            began = time.monotonic()
            phase()
            errors, violations = self.p.probe("problems")
            assert not errors, f"the page threw: {errors}"
            assert not violations, f"the content policy was violated: {violations}"
            print(f"ok  {name} ({time.monotonic() - began:.1f} s)", flush=True)

    # ---- phases ------------------------------------------------------------------------------

    def start(self, url):
        p = self.p
        p.open(url + "?scale=1")
        policy = p.probe("policy")
        with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as f:
            published = [line for line in f if line.startswith("Content-Security-Policy:")]
        assert published == [f"Content-Security-Policy: {policy}\n"], \
            f"the page's policy {policy!r} is not the one the README gives hosts: {published}"
        self.main = p.main()
        self.at_start = self.main_texts(p.snapshot())
        self.player = Player(p, on_window=self.heard_once, before_first_examine=self.bad_input)
        timing = p.wait_until("the splash to go", lambda: p.probe("splash"))
        splash = next(f"{w['name']}.{c['name']}" for w in p.windows() for c in w["controls"] if c["kind"] == "Splash")
        assert timing["splashId"] == splash, f"the splash shown was {timing['splashId']}"
        shown_for = timing["splashGone"] - timing["splashShown"]
        assert SPLASH_MS[0] <= shown_for <= SPLASH_MS[1], f"the splash stayed {shown_for:.0f} ms"
        # The intro waits for the player, with the way on under it.
        snap = p.snapshot()
        intro = snap[self.player.el(INTRO)]
        assert intro["shown"] and intro["text"], "the intro is not shown after the splash"
        first = self.steps[0]
        assert first[1] == "press", f"the road does not start by going past the intro: {first}"
        assert any(snap[k]["shown"] and snap[k]["text"] == first[2] for k in self.player.clickable), \
            f"{first[2]} is not shown under the intro"
        self.heard(self.main)

    def line_breaks(self):
        """Every text breaks into lines where the desktop breaks it (tests/routes/lines.txt):
        each is laid out in a copy of its box, as the page writes a box."""
        wrong = []
        for box, what, lines in read_lines():
            text = "\r\n".join("" if line == "~" else line.replace("|", "") for line in lines)
            got = self.p.probe("lines", box, text)
            if got != lines:
                first = next(i for i, (a, b) in enumerate(zip(got + [""] * len(lines), lines)) if a != b)
                wrong.append(f"{box} {what}, line {first + 1}: {got[first]!r}, desktop {lines[first]!r}")
        assert not wrong, "lines break unlike the desktop's:\n  " + "\n  ".join(wrong)

    def health(self):
        """Every health a player reaches in a few hundred clicks is drawn in full: written and
        fitted as the page writes the health cell, in a copy of it."""
        cut = self.p.probe("healths", self.player.cells["health"])
        assert not cut, f"health cut off: {cut}"

    def about(self):
        p, player = self.p, self.player
        p.click(player.el(ABOUT))
        player.wait_window("info")  # checks what it says to a screen reader, too
        self.no_ring()
        title = p.window("info")["title"]
        p.wait_text("info.title", title)
        p.click(player.el(ABOUT_CLOSE, "info"))
        player.wait_window(self.main)

    def minimise(self):
        p = self.p
        before = p.snapshot()[self.main]["rect"]
        p.click(p.doing("Minimise"))
        p.wait_for("the main window to make way for the bar",
                   lambda s: not s[self.main]["shown"] and s["minimised"]["shown"] or "not so")
        p.wait_text("minimised", p.settings["title"])
        p.click("minimised")
        snap = p.wait_for("the main window back", lambda s: s[self.main]["shown"] and not s["minimised"]["shown"])
        assert snap[self.main]["rect"] == before, f"restored at {snap[self.main]['rect']}, was {before}"

    def drag(self):
        """Only the left button drags, and the window follows the pointer exactly."""
        p = self.p
        x, y = p.probe("dragPoint", self.main)
        before = p.snapshot()[self.main]["rect"]
        p.drag(x, y, 40, 30, button=MouseButton.RIGHT)
        after = p.snapshot()[self.main]["rect"]
        assert after == before, f"a right-button drag moved the window from {before} to {after}"
        p.drag(x, y, 37, -23)
        after = p.snapshot()[self.main]["rect"]
        moved = (after[0] - before[0], after[1] - before[1])
        assert moved == (37, -23), f"a drag by (37, -23) moved the window by {moved}"
        p.drag(x + 37, y - 23, -37, 23)  # back, so that pictures of later moments match

    def road(self):
        self.player.walk(self.steps)

    def new_run(self):
        p = self.p
        p.wait_text("over.message", p.settings["gameOver"])
        p.click("over.newRun")
        p.wait_ready()
        # The new run starts as the first did, with nothing left of the old one.
        p.wait_for("a new run as the first began",
                   lambda s: s[self.main]["shown"] and not s["over"]["shown"] and self.main_texts(s) == self.at_start)

    def other_routes(self):
        for steps in self.routes:
            Player(self.p).walk(steps)
            self.new_run()

    def english(self, url):
        """The road in English, each word and caption through the catalog; on the way, the page
        switched to Russian and back, the run going on in each."""
        p = self.p
        assert p.probe("lang") == "ru", \
            "a Russian reader's browser did not get the Russian game"
        p.layout = None  # the tables as they read in English
        p.open(url + "?lang=en&scale=1")
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
        p.layout = None  # back to the Russian reader's page, for the phases after this one
        p.open(url + "?scale=1")

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

    def touch(self, url):
        """The road once more, on a phone: the device chooses the touch view, a finger taps. In
        every window a thumb finds each control, an eye reads each text, nothing is wider than
        the screen at any phone's width, and a screen reader hears what it hears in the classic
        view. On the way: the input box above an on-screen keyboard, and the switch to the
        classic view and back keeping the run."""
        p = self.p
        p.phone(*PHONE)
        try:
            p.open(url)
            assert p.probe("touchView"), \
                "a phone did not get the touch view"
            p.wait_until("the splash to go", lambda: p.probe("splash"))
            self.seen = set()
            player = Player(p, on_window=self.thumb_sized, before_first_examine=self.keyboard_and_switch)
            player.walk(self.steps)
            self.new_run()
        finally:
            p.desktop()

    def thumb_sized(self, form):
        if form in self.seen:
            return
        self.heard(form)
        p = self.p
        small, tiny = p.probe("tooSmall", THUMB_PX, READABLE_PX)
        assert not small, f"window {form}: smaller than a thumb: {small}"
        assert not tiny, f"window {form}: text too small to read: {tiny}"
        for width, height in PHONE_SIZES:
            p.phone(width, height)
            p.probe("frames")
            wider = p.probe("wider")
            assert not wider, f"window {form} at {width}x{height}: wider than its box: {wider}"
        p.phone(*PHONE)

    def keyboard_and_switch(self):
        p, player = self.p, Player(self.p)
        p.click(player.input)
        for width, height in (PHONE, PHONE_SIZES[-1]):
            keyboard = KEYBOARD if height > width else KEYBOARD // 2
            p.phone(width, height - keyboard)
            p.wait_until(f"the input box above a keyboard at {width}x{height}",
                         lambda: p.probe("inputShown", player.input))
        p.phone(*PHONE)
        before = self.main_texts(p.snapshot())
        for view in ("classic", "touch"):
            p.click("view")
            p.wait_until(f"the {view} view", lambda: p.probe("touchView") == (view == "touch"))
            snap = p.snapshot()
            assert self.main_texts(snap) == before, f"the switch to the {view} view changed the run"
            if view == "classic":
                x, _, width, _ = snap[self.main]["rect"]
                assert abs(x - (PHONE[0] - x - width)) <= 1, f"the classic view on a phone stands at {x:.1f} of {PHONE[0]}"
        p.click(player.input)

    def main_texts(self, snap):
        return {k: v["text"] for k, v in snap.items() if k.startswith(self.main + ".")}

    def offline(self, server):
        """The first visit left the game with the service worker: it starts with no server."""
        p = self.p
        p.d.set_script_timeout(WORKER_S + 5)
        kept = p.probe("workerReady", WORKER_S * 1000)
        assert kept, f"no service worker was ready {WORKER_S} s after the first visit"
        server.stop()
        # Only the service worker may answer: the browser's own cache is off.
        p.d.execute_cdp_cmd("Network.enable", {})
        p.d.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        p.d.refresh()
        p.wait_ready()
        snap = p.wait_for("the game after an offline reload",
                          lambda s: s[self.main]["shown"] and s[self.player.el(INTRO)]["shown"])
        assert snap[self.player.el(INTRO)]["text"], "the intro is empty after an offline reload"
        assert p.probe("servedByWorker"), "the offline reload was not served by the service worker"

    def faults(self):
        """The wasm file missing, then cut short: the page's own message and a retry button, in
        a live region; restored and retried, the game starts in the same page."""
        p = self.p
        for fault in ("missing", "truncated"):
            Faulty.wasm = fault
            server = Server(self.site, Faulty)  # an origin of its own: no worker kept the game
            try:
                p.d.get(server.url + "?scale=1")
                self.wait_fault("failed", True)
                p.probe("markLoad")
                Faulty.wasm = None
                p.click("fault.retry")
                p.wait_ready()
                Player(p).walk(self.steps[:2])  # past the intro, and a look around
                same, said = p.probe("sameLoad")
                assert same, f"the retry after a {fault} wasm file reloaded the page"
                assert not said, f"the message stays once the game has started: {said!r}"
            except AssertionError as e:
                raise AssertionError(f"wasm file {fault}: {e}") from None
            finally:
                server.stop()

    def no_wasm(self):
        p = self.p
        script = p.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                     {"source": "delete window.WebAssembly;"})
        server = Server(self.site)
        try:
            p.d.get(server.url)
            self.wait_fault("old", False)
        finally:
            p.d.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)
            server.stop()

    def wait_fault(self, word, retry):
        """The page shows the message of its HTML named word, with or without the retry button,
        and a screen reader hears both."""
        p = self.p
        said, again = p.probe("faultWords", word)
        p.wait_text("fault.message", said)
        snap = p.wait_for("the retry button" + ("" if retry else " to stay hidden"),
                          lambda s: s["fault.retry"]["shown"] == retry)
        if retry:
            assert snap["fault.retry"]["text"] == again, f"the retry button reads {snap['fault.retry']['text']!r}"
        nodes = accessibility_tree(p.d)
        assert nodes.get("fault", {}).get("live") == "assertive", f"the message is not announced: {nodes.get('fault')}"
        if retry:
            assert nodes.get("fault.retry", {}).get("name") == again, f"the retry button is heard as {nodes.get('fault.retry')}"

    def update(self):
        """Build A is open in one tab; build B (another page and another style rule) is
        published; a second tab is reloaded a few times. Every load takes its page and its style
        from one build, and the loads end on B; the first tab plays on."""
        p, d = self.p, self.p.d
        d.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": False})
        work = tempfile.mkdtemp(prefix="tarvilon-builds-")
        server = None
        try:
            a, b, live = (os.path.join(work, name) for name in ("a", "b", "live"))
            shutil.copytree(self.site, a)
            day_ago = time.time() - 86400  # files long unchanged, which the browser keeps as fresh
            for root, _, files in os.walk(a):
                for name in files:
                    os.utime(os.path.join(root, name), (day_ago, day_ago))
            shutil.copytree(a, b)
            with open(os.path.join(b, "style.css"), "a") as f:
                f.write(":root { --build: b; }\n")
            with open(os.path.join(b, "index.html"), "r+") as f:
                html = f.read().replace("<head>", '<head>\n<meta name="build" content="b">')
                f.seek(0)
                f.write(html)
            subprocess.run(["cmake", f"-DSITE={b}", f"-DIN={os.path.join(SOURCE, 'web', 'sw.js')}",
                            f"-DOUT={os.path.join(b, 'sw.js')}", "-P", os.path.join(SOURCE, "web", "stamp.cmake")],
                           check=True)
            shutil.copytree(a, live)
            server = Server(live)
            first = d.current_window_handle
            p.open(server.url + "?scale=1")
            d.set_script_timeout(WORKER_S + 5)
            assert p.probe("controlled"), "no service worker took the page"
            shutil.copytree(b, live, dirs_exist_ok=True)  # published over A, as a host does
            d.switch_to.new_window("tab")
            p.watch()
            builds = []
            while len(builds) < 8 and builds[-2:] != [["b", "b", [], []]] * 2:
                if builds:
                    time.sleep(UPDATE_S)
                    d.refresh()
                else:
                    d.get(server.url + "?scale=1")
                p.wait_ready()
                builds.append(p.probe("build"))
            assert all(page == style and not errors and not violations for page, style, errors, violations in builds) \
                and builds[-2:] == [["b", "b", [], []]] * 2, f"loads took (page, style, errors, violations): {builds}"
            print(f"    loads ran builds {' '.join(page for page, *_ in builds)}", flush=True)
            d.close()
            d.switch_to.window(first)
            Player(p).walk(self.steps[:2])
        finally:
            if server:
                server.stop()
            shutil.rmtree(work, ignore_errors=True)

    # ---- what the road hands over ------------------------------------------------------------

    def bad_input(self):
        """Typed and pasted nonsense reaches the game as it is, runs no verb, and Examine of it
        finds nothing and changes nothing else."""
        p, player = self.p, self.player
        cells = set(player.cells.values())
        before = {k: v["text"] for k, v in p.snapshot().items() if k in cells}
        p.click(player.input)
        p.type(TYPED)
        p.d.execute_cdp_cmd("Input.insertText", {"text": PASTED})
        expected = TYPED + PASTED
        p.wait_for("the input box to keep what was typed", lambda s: s[player.input]["text"] == expected
                   or f"it shows {shorten(s[player.input]['text'])!r}")
        p.type(Keys.ENTER)
        snap = p.snapshot()
        now = {k: v["text"] for k, v in snap.items() if k in cells}
        assert now == before and snap[player.input]["text"] == expected, "Enter did something"
        p.click(player.examine_button)
        snap = p.wait_text(player.input, "")
        now = {k: v["text"] for k, v in snap.items() if k in cells}
        assert now == before, f"examining nonsense changed {before} to {now}"

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
            response = self.player.cells["response"]
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


class Faulty(Quiet):
    """The site with its wasm file missing (404) or cut in half, while wasm is set."""
    wasm = None

    def do_GET(self):
        if Faulty.wasm and urlsplit(self.path).path == "/tarvilon.wasm":
            if Faulty.wasm == "missing":
                self.send_error(404)
                return
            with open(os.path.join(self.directory, "tarvilon.wasm"), "rb") as f:
                data = f.read()
            data = data[:len(data) // 2]
            self.send_response(200)
            self.send_header("Content-Type", "application/wasm")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)
            return
        super().do_GET()


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


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    began = time.monotonic()
    try:
        Test(*sys.argv[1:]).run()
    except Exception:
        traceback.print_exc()
        print(f"FAILED after {time.monotonic() - began:.1f} s")
        sys.exit(1)
    print(f"passed in {time.monotonic() - began:.1f} s")


if __name__ == "__main__":
    main()
