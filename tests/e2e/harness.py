"""Runs the real game in a private X server and drives it as a player would.

Clicks and typing are real X input (xdotool); what the windows show is read back over the
accessibility bus (AT-SPI). A process gets one private desktop (Xvfb, a session bus and an
accessibility bus), because pyatspi binds to the first bus it sees; each Session runs one
game on it, so the tests of one file share the desktop but never a game.
"""

import atexit
import ctypes
import fcntl
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

import layout

# Every program the harness starts, and the Debian package that brings it.
TOOLS = {
    "Xvfb": "xvfb",
    "xdotool": "xdotool",
    "setxkbmap": "x11-xkb-utils",
    "import": "imagemagick",
    "dbus-daemon": "dbus",
    "dbus-send": "dbus",
    "/usr/libexec/at-spi-bus-launcher": "at-spi2-core",
}

# Polls are cheap, so waits can afford to be long: the sanitizer build is slower than the
# ordinary one, and a loaded machine slower still.
DEFAULT_TIMEOUT = 30.0
START_TIMEOUT = 60.0
POLL_SECONDS = 0.05


class HarnessError(AssertionError):
    """The environment or the game did not do what the test needed; the test fails."""


class _GameEnded(Exception):
    def __init__(self, code):
        super().__init__(code)
        self.code = code


def wait_for(what, probe, timeout=DEFAULT_TIMEOUT):
    """Polls probe() until it returns something truthy and returns that; fails after timeout.

    probe may raise while the thing is not there yet (a window mid-creation); that counts as
    not yet, and the last value or error goes into the failure message.
    """
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            value = probe()
            if value:
                return value
            last = value
        except _GameEnded:
            raise
        except Exception as e:  # noqa: BLE001 - any error means "not yet"
            last = e
        if time.monotonic() > deadline:
            raise HarnessError(f"timed out after {timeout:.0f} s waiting for {what}; last seen: {last!r}")
        time.sleep(POLL_SECONDS)


class Rect:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2

    def as_tuple(self):
        return (self.x, self.y, self.width, self.height)

    def __repr__(self):
        return f"Rect{self.as_tuple()}"


def _die_with_parent():
    # In the child before exec: should this process be killed outright (ctest's timeout),
    # what it started still ends, with no cleanup code left to run.
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM, 0, 0, 0)


def _spawn(procs, argv, env, **kw):
    # Its own process group, so that what it spawns (the accessibility bus's own daemon)
    # ends with it when the group is signalled.
    kw.setdefault("stdin", subprocess.DEVNULL)
    kw.setdefault("stdout", subprocess.DEVNULL)
    kw.setdefault("stderr", subprocess.DEVNULL)
    proc = subprocess.Popen(argv, env=env, start_new_session=True, preexec_fn=_die_with_parent, **kw)
    procs.append(proc)
    return proc


def _end(proc, grace=5):
    """Ends a process we started, and its group, by its PID."""
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, signal.SIGTERM)
            proc.wait(grace)
        except ProcessLookupError:
            pass
        except subprocess.TimeoutExpired:
            try:
                os.killpg(proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            proc.wait()
    for stream in (proc.stdout, proc.stderr):
        if stream:
            stream.close()


def _read_line(fd, timeout):
    """A line from a pipe without its newline; "" at end of file, None on timeout."""
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([fd], [], [], max(deadline - time.monotonic(), 0))
        if not ready:
            return None
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.decode().strip()


def _become_subreaper():
    # The accessibility bus's daemons outlive their parents by a moment when their group is
    # ended; as the subreaper this process inherits and reaps them, where an init that does
    # not reap (a container's) would keep them as zombies.
    PR_SET_CHILD_SUBREAPER = 36
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def _reap_orphans(timeout=5):
    # Only once every child started through Popen has been waited for, so no exit code
    # that a test reads is taken here.
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            time.sleep(POLL_SECONDS)


def _raise_exit(signum, frame):
    raise SystemExit(128 + signum)


class Desktop:
    """Xvfb with a us,ru keymap, a private session bus and an accessibility bus."""

    def __init__(self, scale, screen):
        self.scale = scale
        self.screen = screen
        self.display = None
        self.env = None
        self.tmp = None
        self.pyatspi = None
        self._procs = []

    def start(self):
        missing = [f"{tool} (package {pkg})" for tool, pkg in TOOLS.items() if shutil.which(tool) is None]
        if missing:
            raise HarnessError("the end-to-end tests need these programs, which are missing: "
                               + ", ".join(missing) + ". Install them with apt-get (./run.sh test does).")
        self.tmp = tempfile.mkdtemp(prefix="tarvilon-e2e-")
        os.chmod(self.tmp, 0o700)
        # ctest's timeout sends SIGTERM: the cleanup must still run.
        signal.signal(signal.SIGTERM, _raise_exit)
        _become_subreaper()
        self._start_x()
        self._setup_session()
        self._start_buses()

    def stop(self):
        """Ends everything it started, by PID, newest first."""
        for proc in reversed(self._procs):
            _end(proc)
        self._procs.clear()
        _reap_orphans()
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    def spawn(self, argv, env=None, **kw):
        """Starts a helper program on this desktop (a compositor, say); it is ended with the
        desktop at the latest."""
        return _spawn(self._procs, argv, self.env if env is None else env, **kw)

    def end(self, proc):
        """Ends a helper program that spawn() started, by its PID."""
        _end(proc)
        if proc in self._procs:
            self._procs.remove(proc)

    def run(self, argv, check=True, text=True):
        out = subprocess.run(argv, env=self.env, capture_output=True, text=text, timeout=60)
        if check and out.returncode != 0:
            raise HarnessError(f"{' '.join(argv)} failed ({out.returncode}): {out.stderr!r}")
        return out

    def _start_x(self):
        # One harness at a time picks and starts its server. Two Xvfbs started for the same
        # number at once can break the winner: the loser unlinks its socket before failing.
        # X's own socket directory is the one place every harness on the machine shares.
        os.makedirs("/tmp/.X11-unix", exist_ok=True)
        lock = os.open("/tmp/.X11-unix", os.O_RDONLY)
        try:
            fcntl.flock(lock, fcntl.LOCK_EX)
            self.display = self._start_xvfb()
        finally:
            os.close(lock)  # and with it the lock

    def _start_xvfb(self):
        width, height = self.screen
        for n in range(90, 400):
            if os.path.exists(f"/tmp/.X{n}-lock") or os.path.exists(f"/tmp/.X11-unix/X{n}"):
                continue
            # Xvfb writes the number to -displayfd once it listens and only if the display
            # is its own. 96 dpi whatever the scale: the scale comes from QT_SCALE_FACTOR alone.
            ready_r, ready_w = os.pipe()
            try:
                xvfb = _spawn(self._procs, ["Xvfb", f":{n}", "-screen", "0", f"{width}x{height}x24", "-dpi", "96",
                                            "-nolisten", "tcp", "-noreset", "-displayfd", str(ready_w)],
                              os.environ.copy(), pass_fds=(ready_w,))
                os.close(ready_w)
                answer = _read_line(ready_r, 30)
            finally:
                os.close(ready_r)  # only after the whole line: Xvfb dies if it cannot write it
            if answer == str(n):
                return f":{n}"
            _end(xvfb)
            self._procs.remove(xvfb)
            if answer is None:
                raise HarnessError(f"Xvfb :{n} did not come up within 30 s")
            # Some other X server took :n between the probe and the start: try the next.
        raise HarnessError("no free X display number between :90 and :399")

    def _setup_session(self):
        self.env = os.environ.copy()
        # Nothing of the caller's desktop may leak in: the game sees only this X server and
        # these buses.
        for key in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                    "QT_AUTO_SCREEN_SCALE_FACTOR", "AT_SPI_BUS_ADDRESS", "XAUTHORITY", "SESSION_MANAGER"):
            self.env.pop(key, None)
        self.env["DISPLAY"] = self.display
        self.env["XDG_RUNTIME_DIR"] = self.tmp
        self.env["LC_ALL"] = "C.UTF-8"  # xdotool reads its text through the locale
        # With both layouts loaded xdotool types Cyrillic through real keys instead of
        # rebinding a spare key per letter, which races Qt's keymap reload and drops letters.
        self.run(["setxkbmap", "-layout", "us,ru"])

    def _start_buses(self):
        bus = _spawn(self._procs, ["dbus-daemon", "--session", "--nofork", "--print-address=1"], self.env,
                     stdout=subprocess.PIPE)
        ready, _, _ = select.select([bus.stdout], [], [], 15)
        address = bus.stdout.readline().decode().strip() if ready else ""
        if not address:
            raise HarnessError("the private session bus (dbus-daemon) gave no address")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        launcher = _spawn(self._procs, ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], self.env)

        def launcher_up():
            # Asking the name's owner before it has one would make the bus start a second
            # launcher of its own, and ours would give up.
            if launcher.poll() is not None:
                raise HarnessError(f"at-spi-bus-launcher ended (exit code {launcher.returncode})")
            out = self.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.freedesktop.DBus",
                            "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                           check=False)
            return "true" in out.stdout
        wait_for("the accessibility bus launcher", launcher_up)
        a11y = self.run(["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                         "/org/a11y/bus", "org.a11y.Bus.GetAddress"]).stdout.strip()
        # This process reads the game over the same buses; pyatspi connects on first use.
        os.environ["DISPLAY"] = self.display
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
        os.environ["AT_SPI_BUS_ADDRESS"] = a11y
        try:
            with warnings.catch_warnings():
                warnings.simplefilter("ignore")
                import pyatspi
        except ImportError as e:
            raise HarnessError(f"pyatspi is missing ({e}): install python3-pyatspi and run the tests "
                               "with Debian's /usr/bin/python3") from e
        # pyatspi calls deprecated libatspi functions on every query; that noise hides failures.
        warnings.filterwarnings("ignore", category=DeprecationWarning, module=r"pyatspi\.")
        self.pyatspi = pyatspi


_desktop = None


def desktop(scale=1, screen=None):
    """This process's desktop, started on first use and ended when the process exits."""
    global _desktop
    screen = screen or (1024 * scale, 768 * scale)
    if _desktop is None:
        d = Desktop(scale, screen)
        atexit.register(d.stop)
        try:
            d.start()
        except BaseException:
            d.stop()
            raise
        _desktop = d
    elif (_desktop.scale, _desktop.screen) != (scale, screen):
        raise HarnessError("one process runs one desktop: start another process for another scale")
    return _desktop


class Session:
    """One run of the game on this process's desktop, with helpers to click, type, read and
    capture. Use it as a context manager: the game is ended on leaving, whatever happened."""

    def __init__(self, binary, scale=1, screen=None, artefacts=None, env=None):
        self.binary = os.path.abspath(binary)
        self.env = env  # changes to the game's environment, as launch() takes them
        self.scale = scale
        self.screen_size = screen
        self.artefacts = artefacts  # where a failure leaves its screenshot
        self.desk = None
        self.game = None
        self.main = None
        self.started = None
        self._log = None
        self._app = None

    def __enter__(self):
        try:
            self.start()
        except BaseException as e:
            self.__exit__(type(e), e, e.__traceback__)
            raise
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None and issubclass(kind, Exception):  # a failure, not an interrupt
            self.keep_evidence()
        self.stop()
        return False

    def start(self):
        self.launch(self.env)
        self.main = self.wait_window(layout.FORM1, timeout=START_TIMEOUT)
        self.app()

    def launch(self, env_changes=None):
        """Starts the game on this process's desktop and returns at once, waiting for nothing.

        env_changes adds to or, where a value is None, removes from the game's environment.
        """
        if not os.access(self.binary, os.X_OK):
            raise HarnessError(f"game binary not found or not executable: {self.binary}")
        self.desk = desktop(self.scale, self.screen_size)
        env = dict(self.desk.env)
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("LANGUAGE", None)  # the Russian game, whatever the developer's shell prefers
        if self.scale != 1:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        for key, value in (env_changes or {}).items():
            if value is None:
                env.pop(key, None)
            else:
                env[key] = value
        self._log = tempfile.TemporaryFile(dir=self.desk.tmp)
        self.started = time.monotonic()
        self.game = subprocess.Popen([self.binary], env=env, stdin=subprocess.DEVNULL, stdout=self._log,
                                     stderr=subprocess.STDOUT, start_new_session=True,
                                     preexec_fn=_die_with_parent)

    def stop(self):
        if self.game is not None:
            _end(self.game)
        if self._log is not None:
            self._log.close()
            self._log = None

    # ---- the game's process -------------------------------------------------------------

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        """Waits for the game to end by itself and returns its exit code."""
        try:
            return self.game.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"the game did not end within {timeout:.0f} s") from None

    def game_log(self):
        if self._log is None:
            return ""
        self._log.flush()
        self._log.seek(0)
        return self._log.read().decode(errors="replace")

    def keep_evidence(self):
        """After a failure: the screen and the game's output, for whoever reads the log."""
        if self.desk is not None and self.desk.display and self.artefacts:
            os.makedirs(self.artefacts, exist_ok=True)
            shot = os.path.join(self.artefacts, "failure.png")
            self.desk.run(["import", "-window", "root", shot], check=False)
            print(f"e2e: the screen at the failure is in {shot}", file=sys.stderr)
        log = self.game_log()
        if log.strip():
            print("e2e: the game's output:\n" + log[-4000:], file=sys.stderr)

    def wait_until(self, what, probe, timeout=DEFAULT_TIMEOUT):
        """wait_for, failing at once if the game ends while it waits."""
        def alive_probe():
            code = self.game.poll()
            if code is not None:
                raise _GameEnded(code)
            return probe()
        try:
            return wait_for(what, alive_probe, timeout)
        except _GameEnded as e:
            raise HarnessError(f"the game ended (exit code {e.code}) while waiting for {what}") from None

    # ---- windows on the X server ----------------------------------------------------------

    def windows(self):
        """The game's shown top-level windows as {X id: Rect on the screen}."""
        out = self.desk.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.game.pid)], check=False)
        found = {}
        for wid in out.stdout.split():
            geo = self.desk.run(["xdotool", "getwindowgeometry", "--shell", wid], check=False)
            if geo.returncode != 0:
                continue  # gone between the search and the question
            v = dict(line.split("=", 1) for line in geo.stdout.split() if "=" in line)
            found[wid] = Rect(int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"]))
        return found

    def window_rect(self, window):
        """Where the window is now, known by its size (each window's is its own); None while
        it is not shown."""
        _, _, width, height = layout.pixels(window.client, self.scale)
        matches = [r for r in self.windows().values() if (r.width, r.height) == (width, height)]
        return matches[0] if len(matches) == 1 else None

    def wait_window(self, window, timeout=DEFAULT_TIMEOUT):
        return self.wait_until(f"window {window.name} to show", lambda: self.window_rect(window), timeout)

    def wait_window_gone(self, window, timeout=DEFAULT_TIMEOUT):
        self.wait_until(f"window {window.name} to go", lambda: self.window_rect(window) is None, timeout)

    # ---- real input -----------------------------------------------------------------------

    def control_rect(self, window, name):
        """A control's rectangle on the screen: the window's place now plus the layout's."""
        win = self.window_rect(window)
        if win is None:
            raise HarnessError(f"window {window.name} is not shown")
        x, y, w, h = layout.pixels(window[name], self.scale)
        return Rect(win.x + x, win.y + y, w, h)

    def click(self, window, name):
        x, y = self.control_rect(window, name).centre()
        # No --sync: it hangs when the pointer is already there. The pointer then leaves the
        # windows, so that no tooltip comes up to cover the next control or a screenshot.
        self.desk.run(["xdotool", "mousemove", str(x), str(y), "click", "1", "mousemove", "0", "0"])

    def type(self, text):
        self.desk.run(["xdotool", "type", "--delay", "20", text])

    # ---- reading over the accessibility bus -----------------------------------------------

    def app(self):
        if self._app is None:
            registry = self.desk.pyatspi.Registry

            def find():
                desktop_ = registry.getDesktop(0)
                desktop_.clearCache()  # earlier games of this process have come and gone
                for a in desktop_:
                    if a is not None and a.get_process_id() == self.game.pid:
                        return a
                return None
            self._app = self.wait_until("the game on the accessibility bus", find, START_TIMEOUT)
        return self._app

    def _walk(self, node):
        for child in node:
            if child is None:
                continue
            yield child
            yield from self._walk(child)

    def find(self, window, name, roles=("text", "label", "push button")):
        """The accessible object at a control's place in a shown window, or None.

        Qt 6.4 publishes no object names, so a control is known by its role and extents.
        Qt gives extents in screen coordinates whatever was asked for, and in the layout's
        device-independent pixels whatever the scale.
        """
        win = self.window_rect(window)
        if win is None:
            return None
        x, y, w, h = layout.pixels(window[name])
        target = (win.x // self.scale + x, win.y // self.scale + y, w, h)
        pyatspi = self.desk.pyatspi
        app = self.app()
        app.clearCache()  # names, states and children change as the game runs
        for obj in self._walk(app):
            if obj.getRoleName() not in roles:
                continue
            e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if (e.x, e.y, e.width, e.height) == target and obj.getState().contains(pyatspi.STATE_SHOWING):
                return obj
        return None

    def _found(self, window, name):
        obj = self.find(window, name)
        if obj is None:
            raise HarnessError(f"no shown control at {window.name}.{name}")
        return obj

    def text(self, window, name):
        """What a control shows: a box's whole text, or a label's or button's caption."""
        obj = self._found(window, name)
        if obj.getRoleName() == "text":
            t = obj.queryText()
            return t.getText(0, t.characterCount)
        return obj.name

    def shown(self, window, name):
        return self.find(window, name) is not None

    def enabled(self, window, name):
        return self._found(window, name).getState().contains(self.desk.pyatspi.STATE_ENABLED)

    def focused(self, window, name):
        return self._found(window, name).getState().contains(self.desk.pyatspi.STATE_FOCUSED)

    def wait_text(self, window, name, expected, timeout=DEFAULT_TIMEOUT, startswith=False):
        """Waits until a control reads expected (or starts with it); fails saying what it read."""
        seen = []

        def probe():
            got = self.text(window, name)
            seen[:] = [got]
            return got.startswith(expected) if startswith else got == expected
        try:
            self.wait_until(f"{window.name}.{name}", probe, timeout)
        except HarnessError as e:
            what = repr(seen[0]) if seen else f"nothing ({e})"
            raise HarnessError(f"{window.name}.{name} reads {what}, expected "
                               f"{'a text starting with ' if startswith else ''}{expected!r}") from None

    # ---- screenshots ----------------------------------------------------------------------

    def windows_area(self, margin=4):
        """The screen area that the game's shown windows cover, plus a margin, as an
        ImageMagick geometry."""
        rects = list(self.windows().values())
        if not rects:
            raise HarnessError("no window of the game is shown")
        width, height = self.desk.screen
        left = max(min(r.x for r in rects) - margin, 0)
        top = max(min(r.y for r in rects) - margin, 0)
        right = min(max(r.x + r.width for r in rects) + margin, width)
        bottom = min(max(r.y + r.height for r in rects) + margin, height)
        return f"{right - left}x{bottom - top}+{left}+{top}"

    def screenshot(self, path, area=None):
        """A PNG of the screen, cropped to the game's windows unless told an area."""
        self.desk.run(["import", "-window", "root", "-crop", area or self.windows_area(), "+repage", path])


def main(test_module):
    """Entry point of a test file: `python3 test_x.py GAME_BINARY [unittest arguments]`."""
    import unittest
    if len(sys.argv) < 2 or sys.argv[1].startswith("-"):
        print(f"usage: {sys.argv[0]} GAME_BINARY [unittest arguments]", file=sys.stderr)
        sys.exit(2)
    test_module.BINARY = sys.argv.pop(1)
    unittest.main(module=test_module, verbosity=2)


def artefacts_dir(test):
    """Where a failing test leaves its screenshot: under the working directory, by test."""
    cls, method = test.id().split(".")[-2:]
    return os.path.join(os.getcwd(), "e2e-failures", f"{cls}.{method}")
