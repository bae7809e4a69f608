#!/usr/bin/python3
"""The game on Wayland, with no X server in its reach: it starts and shows its window on a
compositor, and a press on its background hands the window to the compositor to move.

The compositor is Debian's weston. Its headless backend has no input at all, so the drag
runs on its X11 backend nested in the harness's Xvfb: real X pointer input there reaches
the game as Wayland pointer input. Where the window stands is read from the compositor's
picture (a plain magenta desktop, no panel), since Wayland tells a client nothing of it.
"""

import glob
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import unittest  # noqa: E402

import a11y  # noqa: E402
import harness  # noqa: E402
from layout import FORM1, pixels  # noqa: E402

BINARY = None

MAGENTA = b"\xff\x00\xff"
WINDOW_SIZE = pixels(FORM1.client)[2:]
# The harness's screen is 1024x768; the nested compositor's output leaves a strip beside
# and under it for the pointer to leave by.
OUTPUT = (960, 700)
OUTSIDE = (1010, 750)
BACKGROUND = (200, 10)  # in the window: between the level line and "&Инфо", no control


def missing_packages():
    """What Debian packages the Wayland runs need and do not have, as messages."""
    found = {
        "weston (package weston)": shutil.which("weston"),
        "weston-screenshooter (package weston)": shutil.which("weston-screenshooter"),
        "weston's headless and X11 backends (package weston)":
            glob.glob("/usr/lib/*/libweston-*/headless-backend.so")
            and glob.glob("/usr/lib/*/libweston-*/x11-backend.so"),
        "Qt's Wayland platform plugin (package qt6-wayland)":
            glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so")
            or glob.glob("/usr/lib/qt6/plugins/platforms/libqwayland-generic.so"),
    }
    return [what for what, there in found.items() if not there]


class Picture:
    """A screenshot as raw RGB, from a binary PPM."""

    def __init__(self, ppm):
        m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not m:
            raise harness.HarnessError(f"not a PPM picture: {ppm[:20]!r}")
        self.width, self.height = int(m.group(1)), int(m.group(2))
        self.data = ppm[m.end():]

    def row(self, y):
        return self.data[y * self.width * 3:(y + 1) * self.width * 3]

    def window(self):
        """The one window on the magenta desktop as (x, y, width, height), or None.

        The compositor's pointer is drawn too: rows count only with many non-desktop
        pixels, and each edge is the median over those rows, which a pointer beside the
        window does not move."""
        step = self.width // 10
        rows = [y for y in range(self.height) if self.width - self.row(y).count(MAGENTA) >= step]
        if not rows:
            return None
        desk = re.compile(rb"(?:\xff\x00\xff)*")
        lefts = [desk.match(self.row(y)).end() // 3 for y in rows]
        # The colour reads the same backwards, so the reversed row finds the right edge.
        rights = [self.width - desk.match(self.row(y)[::-1]).end() // 3 for y in rows]
        left, right = int(statistics.median(lefts)), int(statistics.median(rights))
        return left, rows[0], right - left, rows[-1] + 1 - rows[0]


class Weston:
    """One weston on this process's desktop, on a private socket in the desktop's 0700
    XDG_RUNTIME_DIR."""

    def __init__(self, desk, backend, *options):
        self.desk = desk
        self.socket = f"tarvilon-wayland-{os.getpid()}-{backend.split('-')[0]}"
        config = os.path.join(desk.tmp, "weston.ini")
        with open(config, "w") as f:
            f.write("[shell]\nbackground-color=0xffff00ff\npanel-position=none\n")
        self.log = os.path.join(desk.tmp, f"{self.socket}.log")
        self.proc = desk.spawn(["weston", f"--backend={backend}", f"--socket={self.socket}",
                                f"--config={config}", f"--log={self.log}", "--idle-time=0", "--use-pixman",
                                f"--width={OUTPUT[0]}", f"--height={OUTPUT[1]}", *options])
        path = os.path.join(desk.env["XDG_RUNTIME_DIR"], self.socket)

        def up():
            if self.proc.poll() is not None:
                raise harness.HarnessError(f"weston ended (exit code {self.proc.returncode}): {self.tail()}")
            return os.path.exists(path)
        try:
            harness.wait_for(f"weston ({backend}) to listen", up, harness.START_TIMEOUT)
        except BaseException:
            self.stop()
            raise

    def tail(self):
        try:
            with open(self.log, errors="replace") as f:
                return f.read()[-2000:]
        except OSError:
            return "(no log)"

    def stop(self):
        self.desk.end(self.proc)

    def game_env(self):
        # DISPLAY goes: the game must not fall back to the X server, or reach it at all.
        # In a sanitizer build, libwayland-client and Qt's Wayland plugin leak at exit,
        # outside the game, and the leak report would fail the exit code.
        asan = ":".join(filter(None, [self.desk.env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
        return {"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": self.socket, "DISPLAY": None,
                "ASAN_OPTIONS": asan}


class WaylandSession(harness.Session):
    """The game on a Wayland compositor, known to be up once the accessibility bus has its
    main window showing."""

    def __init__(self, binary, compositor, **kw):
        super().__init__(binary, **kw)
        self.compositor = compositor

    def start(self):
        self.launch(self.compositor.game_env())
        self.reader = a11y.Reader(self)
        self.window = self.reader.main_window()

    def keep_evidence(self):
        super().keep_evidence()
        print("e2e: weston's log:\n" + self.compositor.tail(), file=sys.stderr)


class OnWayland(unittest.TestCase):
    def setUp(self):
        missing = missing_packages()
        if missing:
            self.fail("the Wayland tests need " + ", ".join(missing)
                      + ": install them with apt-get (./run.sh test does)")
        self.desk = harness.desktop()

    def compositor(self, backend, *options):
        weston = Weston(self.desk, backend, *options)
        self.addCleanup(weston.stop)
        return weston

    def session(self, weston):
        return WaylandSession(BINARY, weston, artefacts=harness.artefacts_dir(self))

    def test_starts_on_a_headless_compositor_shows_its_window_and_exits(self):
        weston = self.compositor("headless-backend.so", "--debug")  # --debug lets the screenshooter in
        with self.session(weston) as s:
            r = s.reader
            intro = r.one(s.window, "text", "Предыстория")
            self.assertTrue(r.text(intro).startswith("Много лет назад, на острове"), r.text(intro))

            def painted():
                shots = os.path.join(self.desk.tmp, "shots")
                shutil.rmtree(shots, ignore_errors=True)
                os.makedirs(shots)
                env = dict(self.desk.env, WAYLAND_DISPLAY=weston.socket)
                env.pop("DISPLAY", None)
                subprocess.run(["weston-screenshooter"], env=env, cwd=shots, timeout=30,
                                       capture_output=True, check=True)
                png = glob.glob(os.path.join(shots, "*.png"))
                ppm = self.desk.run(["convert", png[0], "-depth", "8", "ppm:-"], text=False).stdout
                box = Picture(ppm).window()
                return box if box and box[2:] == WINDOW_SIZE else None
            box = s.wait_until("the compositor to show the main window", painted)
            print(f"\nOn headless weston the main window shows at {box}", flush=True)

            r.press(r.one(s.window, "push button", "Выход"))
            self.assertEqual(s.wait_exit(), 0, s.game_log())

    def test_a_press_on_the_background_drags_the_window_and_a_press_on_a_control_does_not(self):
        weston = self.compositor("x11-backend.so")
        with self.session(weston) as s:
            r = s.reader
            response = r.one(s.window, "text", "Ответ")
            intro = r.one(s.window, "text", "Предыстория")

            def xdotool(*args):
                self.desk.run(["xdotool", *map(str, args)])

            def where():
                ppm = self.desk.run(["import", "-window", "root", "-crop", f"{OUTPUT[0]}x{OUTPUT[1]}+0+0",
                                     "+repage", "-depth", "8", "ppm:-"], text=False).stdout
                box = Picture(ppm).window()
                return box if box and box[2:] == WINDOW_SIZE else None

            def settled(expected, what):
                seen = []

                def probe():
                    seen[:] = [where()]
                    return seen[0] == expected
                try:
                    s.wait_until(what, probe)
                except harness.HarnessError:
                    raise harness.HarnessError(f"{what}: the window is at {seen[0] if seen else None}, "
                                               f"expected {expected}") from None

            def drag(start, delta, button=1):
                # The X11 backend passes on pointer motion relative to the last event, so the
                # pointer enters from outside first: the enter event places it exactly.
                xdotool("mousemove", *OUTSIDE)
                xdotool("mousemove", *start)
                xdotool("mousedown", button)
                # The compositor grants a move only while the button is still down when the
                # program asks for it; a slow (sanitized) build may ask late, so the hand
                # holds the button the way a person does, not for a few microseconds.
                time.sleep(0.5)
                for i in range(1, 11):
                    xdotool("mousemove", start[0] + delta[0] * i // 10, start[1] + delta[1] * i // 10)
                    time.sleep(0.02)
                xdotool("mouseup", button)
                xdotool("mousemove", *OUTSIDE)

            box = s.wait_until("the compositor to show the main window", where)
            x, y = box[:2]
            # Far enough to tell, and the whole window stays on the output.
            dx = 200 if x + WINDOW_SIZE[0] + 200 <= OUTPUT[0] else -200
            dy = 150 if y + WINDOW_SIZE[1] + 150 <= OUTPUT[1] else -150

            drag((x + BACKGROUND[0], y + BACKGROUND[1]), (dx, dy))
            settled((x + dx, y + dy, *WINDOW_SIZE), "after a left-button drag on the background")
            x, y = x + dx, y + dy

            # Only the left button drags.
            drag((x + BACKGROUND[0], y + BACKGROUND[1]), (-dx, -dy), button=3)
            # A press on a control belongs to the control: released off it, it neither
            # drags the window nor acts.
            go = pixels(FORM1["Label8"])
            drag((x + go[0] + go[2] // 2, y + go[1] + go[3] // 2), (-dx // 2, -dy // 2))

            # A click where ДАЛЕЕ... stands if the window stayed put: it lands only if neither
            # drag moved the window, and once the game has it, the compositor has had every
            # earlier event too.
            nxt = pixels(FORM1["Label16"])
            xdotool("mousemove", *OUTSIDE)
            xdotool("mousemove", x + nxt[0] + nxt[2] // 2, y + nxt[1] + nxt[3] // 2)
            xdotool("click", 1)
            xdotool("mousemove", *OUTSIDE)
            s.wait_until("the intro to go after a click on ДАЛЕЕ... (a drag moved the window?)",
                         lambda: not r.showing(intro))
            settled((x, y, *WINDOW_SIZE), "after a right-button drag and a drag from 'Идти'")
            self.assertEqual(r.text(response), "", "'Идти' acted on a press released off it")


if __name__ == "__main__":
    harness.main(sys.modules[__name__])
