#!/usr/bin/python3
"""Screenshots of the browser edition at the moments a player meets each window, taken on the
road of one whole game in headless Chromium: at ?scale=1, at ?scale=2, the classic view in a
phone's 360x640 viewport, and the touch view as phones and a tablet show it (a finger's
pointer, taps). Named as tools/screenshots.sh names the desktop's, so that given the desktop's
folder it also puts each pair side by side (desktop left, browser right).

    [LANGUAGE=en] tools/web_screenshots.py [--only=SUFFIX..] [OUTDIR (./screenshots-web)] [SITE (build/web/site)] [DESKTOP_DIR]

LANGUAGE, as the desktop's screenshots take it, picks the page's language (?lang=); the road is
then walked with its words and captions through that catalog. --only=touch-390 takes only the
views whose file suffix holds "touch-390".
"""

import os
import subprocess
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))

from browser import Catalog, Page, Player, Server, chromium, load  # noqa: E402

# Road moments to file names, as the desktop's screenshots name them.
MOMENTS = {"forester": "05-forester", "guard": "06-guard", "cards": "07-cards",
           "cards-turned": "08-cards-turned", "ending": "09-ending"}
ABOUT, ABOUT_CLOSE = "Command3", "Command1"
# (file suffix, address, browser window, phone viewport, touch): the desktop's "" and "-2x",
# the classic view on a phone, and the touch view upright, on its side and on a small tablet.
VIEWS = (("", "?scale=1", (1024, 768), None, False),
         ("-2x", "?scale=2", (1280, 1024), None, False),
         ("-phone", "", (360, 640), (360, 640), False),
         *((f"-touch-{w}x{h}", "", (w, h), (w, h), True)
           for w, h in ((360, 640), (390, 844), (844, 390), (768, 1024))))
MARGIN = 4  # screen px round the windows, at any scale, as the desktop's pictures have

# The box round every window on screen (a title bar included), in viewport pixels.
SHOWN_AREA = """
const boxes = [...document.querySelectorAll('.window')].filter((w) => w.getClientRects().length)
  .flatMap((w) => [w, ...w.querySelectorAll('.title-bar')]).map((e) => e.getBoundingClientRect());
if (!boxes.length) { const r = document.getElementById('screen').getBoundingClientRect(); boxes.push(r); }
return [Math.min(...boxes.map((b) => b.left)), Math.min(...boxes.map((b) => b.top)),
        Math.max(...boxes.map((b) => b.right)), Math.max(...boxes.map((b) => b.bottom))];
"""


class Shooter(Player):
    """Walks the road and takes a picture at each moment and each first look at a place."""

    def __init__(self, page, snap, catalog):
        super().__init__(page, on_moment=lambda m: m in MOMENTS and snap(MOMENTS[m]), catalog=catalog)
        self.snap = snap

    def check(self, what, value, target):
        super().check(what, value, target)
        if what == "place" and value != "none":
            self.snap(f"10-place-{int(value.split()[0]):02}")


def shoot(site, outdir, suffix, query, size, phone, touch, language):
    server = Server(site)
    try:
        with chromium(*size) as driver:
            p = Page(driver)
            if touch:
                p.phone(*phone, scale=1)
            elif phone:
                driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                    "width": phone[0], "height": phone[1], "deviceScaleFactor": 1, "mobile": True})

            def snap(name, crop=True):
                path = os.path.join(outdir, f"{name}{suffix}.png")
                p.screenshot(path)
                if crop and not phone:
                    left, top, right, bottom = driver.execute_script(SHOWN_AREA)
                    left, top = max(0, int(left) - MARGIN), max(0, int(top) - MARGIN)
                    width, height = int(right) + MARGIN - left, int(bottom) + MARGIN - top
                    subprocess.run(["convert", path, "-crop", f"{width}x{height}+{left}+{top}", "+repage", path],
                                   check=True)
                print(f"wrote {path}", flush=True)

            p.open(server.url + (query or "?") + f"&lang={language}")
            snap("01-start")
            splash = next(f"{w['name']}.{c['name']}" for w in p.windows() for c in w["controls"]
                          if c["kind"] == "Splash")
            p.wait_for("the splash to go", lambda s: not s[splash]["shown"])
            snap("02-intro")
            steps = load(os.path.join(ROOT, "tests", "routes", "road.txt"))
            catalog = Catalog(os.path.join(site, "po", f"{language}.mo") if language != "ru" else None)
            player = Shooter(p, snap, catalog)
            player.walk(steps[:2])  # past the intro, and the first look round
            snap("03-look")
            p.click(player.el(ABOUT))
            player.wait_window("info")
            snap("04-about")
            p.click(player.el(ABOUT_CLOSE, "info"))
            player.wait_window(player.main)
            # The page's own: the bar a minimised main window leaves at the foot of the page.
            p.click(p.doing("Minimise"))
            p.wait_for("the bar", lambda s: s["minimised"]["shown"])
            snap("04-minimised", crop=False)
            p.click("minimised")
            player.wait_window(player.main)
            player.walk(steps[2:])
            snap("11-over")  # the page's own too: the run is over
    finally:
        server.stop()


def pair(desktop_dir, web_dir, pairs_dir):
    os.makedirs(pairs_dir, exist_ok=True)
    for name in sorted(os.listdir(web_dir)):
        desktop = os.path.join(desktop_dir, name)
        if os.path.exists(desktop):
            out = os.path.join(pairs_dir, name)
            subprocess.run(["convert", desktop, os.path.join(web_dir, name), "-bordercolor", "white",
                            "-border", "4", "-background", "white", "-gravity", "north", "+append", out],
                           check=True)
            print(f"wrote {out}", flush=True)


def main():
    only = [a.split("=", 1)[1] for a in sys.argv[1:] if a.startswith("--only=")]
    args = [a for a in sys.argv[1:] if not a.startswith("--only=")]
    outdir = os.path.abspath(args[0] if len(args) > 0 else "screenshots-web")
    site = os.path.abspath(args[1] if len(args) > 1 else os.path.join(ROOT, "build", "web", "site"))
    desktop = args[2] if len(args) > 2 else None
    if not os.path.exists(os.path.join(site, "index.html")):
        sys.exit(f"web_screenshots.py: no site at {site}; build it first: cmake --build --preset web")
    web_dir = os.path.join(outdir, "web")
    os.makedirs(web_dir, exist_ok=True)
    language = (os.environ.get("LANGUAGE") or "ru").split(":")[0].split("_")[0]
    for view in VIEWS:
        if only and not any(o in view[0] for o in only):
            continue
        shoot(site, web_dir, *view, language)
    if desktop:
        pair(desktop, web_dir, os.path.join(outdir, "pairs"))


if __name__ == "__main__":
    main()
