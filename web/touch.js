// The touch view, for a phone: the same elements as the classic view, arranged into one column
// and full-screen sheets with thumb-sized targets and readable text (touch.css). The main
// window's controls go into sections by what they show and do, never by their names; a
// caption goes with what it names, a panel's controls with their panel. No scale, no drag, and
// the text wraps as the browser wraps it.

import { inReadingOrder } from "./build.js";

/** @typedef {import("./tables.js").Tables} Tables */
/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */
/** @typedef {import("./build.js").BuiltControl} BuiltControl */
/** @typedef {import("./tables.js").ControlTable} ControlTable */

const NARROW_PX = 820; // a phone's or a small tablet's shorter side, either way up
const PROMINENT = ["LookAround", "Examine"]; // the verbs of a player's every turn
// The main window's sections, top to bottom.
const SECTIONS = ["bar", "description", "response", "input", "prominent", "verbs", "slots", "cover"];
const KEYBOARD_MS = 300; // for an on-screen keyboard to come up
const MARGIN = 8; // px kept between the input box and an on-screen keyboard

/** Whether a finger plays: a coarse pointer. */
export const fingers = () => matchMedia("(pointer: coarse)").matches;

/** Whether the device suits the touch view: a finger, on a screen no wider than a tablet's. */
export const suitsTouch = () => fingers() && Math.min(innerWidth, innerHeight) <= NARROW_PX;

/**
 * @param {ControlTable} c
 * @returns {string | null}
 */
function sectionOf(c) {
  const { shows, does } = c;
  if (["Level", "Health"].includes(shows.what)) return "bar";
  if (["OpenAbout", "Minimise", "Exit"].includes(does.what)) return "bar";
  if (shows.what === "Description") return "description";
  if (shows.what === "Response") return "response";
  if (does.what === "Type") return "input";
  if (does.what === "Press") return PROMINENT.includes(does.verb || "") ? "prominent" : "verbs";
  if (shows.what === "Slot") return "slots";
  if (["Splash", "Intro"].includes(shows.what)) return "cover";
  return null;
}

export class TouchView {
  name = "touch";
  asDesktop = false;
  drags = false;
  scale = 1;

  /** @type {Screen | null} the run arranged last */
  #screen = null;

  /**
   * @param {HTMLElement} pageEl
   * @param {HTMLElement} screenEl
   */
  constructor(pageEl, screenEl) {
    this.pageEl = pageEl;
    this.screenEl = screenEl;
    this.keep = this.keep.bind(this);
    this.soon = () => setTimeout(this.keep, KEYBOARD_MS);
  }

  // Into a notch's corners, where the view keeps its controls clear of them; the input box
  // kept above an on-screen keyboard.
  enter() {
    document.documentElement.classList.add("touch");
    viewport(true);
    window.visualViewport?.addEventListener("resize", this.keep);
    document.addEventListener("focusin", this.soon);
  }

  leave() {
    document.documentElement.classList.remove("touch");
    viewport(false);
    window.visualViewport?.removeEventListener("resize", this.keep);
    document.removeEventListener("focusin", this.soon);
  }

  /**
   * The run's elements in the column and the sheets, which touch.css lays out.
   * @param {Screen} screen
   */
  arrange(screen) {
    this.#screen = screen;
    for (const w of screen.windows) {
      for (const c of w.controls) {
        const style = c.el.style;
        for (const p of ["left", "top", "width", "height", "z-index", "font-size"]) style.removeProperty(p);
        style.setProperty("--table-width", `${c.table.rect[2] / screen.tables.twipsPerPixel}px`); // a portrait's scale
        c.el.toggleAttribute("data-prominent", PROMINENT.includes(c.table.does.verb || ""));
      }
      for (const p of ["left", "top", "width", "height"]) w.el.style.removeProperty(p);
      w.el.querySelectorAll(".section").forEach((section) => section.remove());
      if (w === screen.main) inSections(w);
      else inReadingOrder(w);
    }
  }

  // No scale and no place but the page's flow.
  fit() {
    for (const el of [this.screenEl, this.pageEl]) {
      for (const p of ["left", "top", "width", "height", "transform"]) el.style.removeProperty(p);
    }
    this.#screen?.bar.style.removeProperty("transform");
  }

  /** @param {number} dx @param {number} dy */
  moveMain(dx, dy) {} // eslint-disable-line no-unused-vars

  /** @param {HTMLElement} el @param {number} left @param {number} top */
  moveDialog(el, left, top) {} // eslint-disable-line no-unused-vars

  // The input box, while it has the focus, scrolled back above an on-screen keyboard, which
  // shrinks the visual viewport.
  keep() {
    const viewport = window.visualViewport;
    const el = document.activeElement;
    if (!viewport || !(el instanceof HTMLInputElement)) return;
    const box = el.getBoundingClientRect();
    const top = viewport.offsetTop;
    const bottom = top + viewport.height;
    if (box.bottom > bottom) scrollBy(0, box.bottom - bottom + MARGIN);
    else if (box.top < top) scrollBy(0, box.top - top - MARGIN);
  }
}

/** @param {boolean} cover */
function viewport(cover) {
  const meta = document.querySelector("meta[name=viewport]");
  if (meta) meta.setAttribute("content", `width=device-width, initial-scale=1${cover ? ", viewport-fit=cover" : ""}`);
}

// The main window's controls into their sections: each by what it shows or does; a panel with
// what it holds; a caption with what it names. Within a section, what the player reads comes
// before what he taps.
/** @param {BuiltWindow} w */
function inSections(w) {
  /** @type {Map<BuiltControl, string>} */
  const placed = new Map();
  for (const c of w.controls) {
    const place = sectionOf(c.table);
    if (place) placed.set(c, place);
  }
  // A panel goes where what it holds goes; a caption where what it names goes. Each found once:
  // the start of a phone's run waits for this.
  /** @type {Map<BuiltControl, string | undefined>} */
  const found = new Map();
  /** @param {BuiltControl} c @returns {string | undefined} */
  const sectionFor = (c) => {
    if (found.has(c)) return found.get(c);
    const named = w.controls.find((other) => other.table.labelledBy === c.row);
    const section = placed.get(c) ??
      w.controls.filter((other) => other.table.panel === c.row).map((o) => placed.get(o)).find(Boolean) ??
      (named && sectionFor(named));
    found.set(c, section);
    return section;
  };
  /** @param {BuiltControl} a @param {BuiltControl} b */
  const order = (a, b) => Number(a.table.does.what !== "Nothing") - Number(b.table.does.what !== "Nothing") ||
    a.table.rect[1] - b.table.rect[1] || a.table.rect[0] - b.table.rect[0];
  for (const name of SECTIONS) {
    const section = document.createElement("div");
    section.className = `section ${name}`;
    section.append(...w.controls.filter((c) => c.table.panel === null && (sectionFor(c) ?? "cover") === name)
      .sort(order).map((c) => c.el));
    w.el.append(section);
  }
  for (const c of [...w.controls].sort(order)) {
    if (c.table.panel !== null) w.controls[c.table.panel].el.append(c.el);
  }
}
