#!/usr/bin/python3
"""The page under faults, in headless Chromium: the wasm file missing or cut short, then
restored and retried in the same page; and a browser without WebAssembly. Each time the page
says so in its own words, to the eye and to a screen reader.

    test_faults.py SITE_DIR ROAD_FILE [ROUTE_FILE...]
"""

import os
import sys
from urllib.parse import urlsplit

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

from browser import Player, Quiet, Server, Test, accessibility_tree  # noqa: E402

class Faults(Test):
    def phases(self):
        return (("a failed load, retried", self.faults),
                ("no WebAssembly", self.no_wasm))

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


if __name__ == "__main__":
    Faults.main()
