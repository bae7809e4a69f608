// The classic view: every window where the desktop places it, every control in its box from
// the tables, the empty screen round the windows cropped, and the whole scaled to fit the
// browser's window (or by ?scale=N). The main window and the about window can be dragged.

import { inReadingOrder } from "./build.js";
import { POINTS_TO_PX } from "./text.js";

/** @typedef {import("./tables.js").Tables} Tables */
/** @typedef {import("./tables.js").Rect} Rect */
/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */

const MARGIN = 8; // px of empty screen kept round the windows

/**
 * @param {HTMLElement} el
 * @param {number[]} box x, y, width, height in px
 */
function setBox(el, [x, y, width, height]) {
  el.style.left = `${x}px`;
  el.style.top = `${y}px`;
  el.style.width = `${width}px`;
  el.style.height = `${height}px`;
}

export class ClassicView {
  name = "classic";
  asDesktop = true;
  drags = true;
  scale = 1;
  titleBarPx = 0;
  /** @type {Screen | null} the run arranged last */
  #screen = null;
  #origin = { x: 0, y: 0 }; // the screen's top-left corner in the tables' pixels
  #size = { width: 0, height: 0 }; // the screen's, px at scale 1
  #span = { middle: 0, half: 0 }; // where the main window's middle is, and its further edge
  #main = { x: 0, y: 0 }; // the main window's place, px at scale 1

  /**
   * @param {HTMLElement} pageEl
   * @param {HTMLElement} screenEl
   * @param {number} fixedScale a whole scale to keep, or 0 to fit
   */
  constructor(pageEl, screenEl, fixedScale) {
    this.pageEl = pageEl;
    this.screenEl = screenEl;
    this.fixedScale = fixedScale;
  }

  twipsPerPixel = 15;

  /** @param {number} twips */
  px(twips) {
    return twips / this.twipsPerPixel;
  }

  enter() {}

  leave() {}

  /**
   * The run's elements in the desktop's places, in each window's reading order; a panel's
   * controls go into the panel. A window keeps the place it was dragged to.
   * @param {Screen} screen
   */
  arrange(screen) {
    if (screen !== this.#screen) {
      this.#screen = screen;
      this.#measure(screen.tables);
    }
    for (const w of screen.windows) {
      const count = w.controls.length;
      for (const c of w.controls) {
        setBox(c.el, c.table.rect.map((v) => this.px(v)));
        c.el.style.zIndex = String(count - c.row); // earlier rows cover later ones
        c.el.style.fontSize = `${Number(c.el.dataset.points) * POINTS_TO_PX}px`;
      }
      const [x, y, width, height] = w.table.rect.map((v) => this.px(v));
      w.el.style.width = `${width}px`;
      w.el.style.height = `${height}px`;
      if (w === screen.main) this.#place(w.el, this.#main.x, this.#main.y);
      else this.#place(w.el, x, y);
      w.el.querySelectorAll(".section").forEach((section) => section.remove()); // the touch view's
      inReadingOrder(w);
    }
  }

  // The screen holds every window at its place relative to the others, cropped to their union.
  /** @param {Tables} tables */
  #measure(tables) {
    this.twipsPerPixel = tables.twipsPerPixel;
    this.titleBarPx = tables.titleBarPx;
    const windows = tables.windows;
    let left = Infinity;
    let top = Infinity;
    let right = -Infinity;
    let bottom = -Infinity;
    for (const w of windows) {
      const [x, y, width, height] = w.rect.map((v) => this.px(v));
      const bar = w.title ? tables.titleBarPx : 0;
      left = Math.min(left, x);
      top = Math.min(top, y - bar);
      right = Math.max(right, x + width);
      bottom = Math.max(bottom, y + height);
    }
    this.#origin = { x: left - MARGIN, y: top - MARGIN };
    this.#size = { width: right - left + 2 * MARGIN, height: bottom - top + 2 * MARGIN };
    // Each run's main window starts where the tables place it.
    const [x, y, width] = this.#screen?.main.table.rect.map((v) => this.px(v)) || [0, 0, 0];
    const middle = x + width / 2 - this.#origin.x;
    this.#span = { middle, half: Math.max(middle, this.#size.width - middle) };
    this.#main = { x, y };
  }

  // The whole screen scales to the viewport, up or down, or by ?scale=N.
  fit() {
    const screen = this.#screen;
    if (!screen) return;
    const viewport = document.documentElement;
    const viewWidth = viewport.clientWidth; // without the page's own scroll bars
    const viewHeight = viewport.clientHeight;
    const size = this.#size;
    this.screenEl.style.width = `${size.width}px`;
    this.screenEl.style.height = `${size.height}px`;
    let scale = this.fixedScale || Math.min(viewWidth / size.width, viewHeight / size.height);
    // Where the width is what limits the scale (a phone held upright), the main window stands
    // centred: the screen is taken as wide as twice the main window's middle from its further
    // edge, so that every window still fits.
    const { middle, half } = this.#span;
    const centred = !this.fixedScale && viewWidth / size.width < viewHeight / size.height;
    if (centred) scale = Math.min(viewWidth / (2 * half), viewHeight / size.height);
    this.scale = scale;
    this.screenEl.style.transform = `scale(${scale})`;
    screen.bar.style.transform = `scale(${scale})`;
    // The page is the viewport, or the scaled screen where that is larger (the player scrolls
    // then). It clips, so that the screen's own unscaled box never widens a phone's viewport.
    const width = size.width * scale;
    const height = size.height * scale;
    this.pageEl.style.width = `${Math.max(viewWidth, width)}px`;
    this.pageEl.style.height = `${Math.max(viewHeight, height)}px`;
    // Whole pixels, so that a whole scale draws every line crisp.
    this.screenEl.style.left = `${Math.floor(centred ? viewWidth / 2 - middle * scale
      : Math.max(0, viewWidth - width) / 2)}px`;
    this.screenEl.style.top = `${Math.floor(Math.max(0, viewHeight - height) / 2)}px`;
  }

  /**
   * @param {HTMLElement} el
   * @param {number} x
   * @param {number} y
   */
  #place(el, x, y) {
    el.style.left = `${x - this.#origin.x}px`;
    el.style.top = `${y - this.#origin.y}px`;
  }

  /**
   * Moves the main window, keeping it within the page so that it can always be taken back.
   * @param {number} dx
   * @param {number} dy
   */
  moveMain(dx, dy) {
    const screen = this.#screen;
    if (!screen) return;
    const el = screen.main.el;
    const [left, top] = this.#clamp(this.#main.x + dx - this.#origin.x, this.#main.y + dy - this.#origin.y,
      el.offsetWidth, el.offsetHeight, 0);
    this.#main = { x: left + this.#origin.x, y: top + this.#origin.y };
    this.#place(el, this.#main.x, this.#main.y);
  }

  /**
   * A dialogue moved by its title bar, kept inside the page with room above for the bar.
   * @param {HTMLElement} el
   * @param {number} left
   * @param {number} top
   */
  moveDialog(el, left, top) {
    const [x, y] = this.#clamp(left, top, el.offsetWidth, el.offsetHeight, this.titleBarPx);
    el.style.left = `${x}px`;
    el.style.top = `${y}px`;
  }

  // A window's place on the screen element (pixels at scale 1) kept inside the page, with room
  // above it for a title bar where it has one.
  /**
   * @param {number} left
   * @param {number} top
   * @param {number} width
   * @param {number} height
   * @param {number} titleBar
   * @returns {[number, number]}
   */
  #clamp(left, top, width, height, titleBar) {
    const minLeft = -this.screenEl.offsetLeft / this.scale;
    const minTop = -this.screenEl.offsetTop / this.scale;
    const maxLeft = minLeft + this.pageEl.clientWidth / this.scale - width;
    const maxTop = minTop + this.pageEl.clientHeight / this.scale - height;
    const clamp = (/** @type {number} */ v, /** @type {number} */ lo, /** @type {number} */ hi) =>
      Math.min(Math.max(v, lo), Math.max(lo, hi));
    return [clamp(left, minLeft, maxLeft), clamp(top, minTop + titleBar, maxTop)];
  }
}
