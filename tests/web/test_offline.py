#!/usr/bin/python3
"""The browser edition kept for offline play and updated, in headless Chromium: after the first
visit the game starts with no server, from what the service worker kept; and a new build
published while the page is open reaches the next loads, each load taking its page and its
style from one build, while the open tab plays on.

    test_offline.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import INTRO, Player, Server, Test  # noqa: E402

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
WORKER_S = 30  # for the service worker to have the game kept
UPDATE_S = 2  # between reloads: the browser checks for a new worker once the old one is idle
# (then the next load or the one after runs the new build; a busy machine may need more)
UPDATES_S = 60  # for the new build to arrive: its worker fetches and checks every file first


class Offline(Test):
    def phases(self):
        return (("a first visit", self.open),
                ("offline reload", self.offline),
                ("a new build published", self.update))

    def offline(self):
        """The first visit left the game with the service worker: it starts with no server."""
        p = self.p
        p.d.set_script_timeout(WORKER_S + 5)
        kept = p.probe("workerReady", WORKER_S * 1000)
        assert kept, f"no service worker was ready {WORKER_S} s after the first visit"
        self.server.stop()
        # Only the service worker may answer: the browser's own cache is off.
        p.d.execute_cdp_cmd("Network.enable", {})
        p.d.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        p.d.refresh()
        p.wait_ready()
        snap = p.wait_for("the game after an offline reload",
                          lambda s: s[self.main]["shown"] and s[f"{self.main}.{INTRO}"]["shown"])
        assert snap[f"{self.main}.{INTRO}"]["text"], "the intro is empty after an offline reload"
        assert p.probe("servedByWorker"), "the offline reload was not served by the service worker"

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
            deadline = time.monotonic() + UPDATES_S
            while time.monotonic() < deadline and builds[-2:] != [["b", "b", [], []]] * 2:
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


if __name__ == "__main__":
    Offline.main()
