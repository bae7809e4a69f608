// Input: what the player does to the game's windows, as one call each on the run. Clicks and
// taps on the controls that take them, Space and Enter on a focused label, typing in the input
// box, Escape on a dialogue, and dragging the main window and the about window's title bar.
// Listens once, on the screen element, for every run's elements.

import { KINDS } from "./build.js";

/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltControl} BuiltControl */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */

/**
 * What the input asks of the run.
 * @typedef {object} Player
 * @property {() => Screen} screen this run's elements
 * @property {() => Mover} mover the view, which moves windows where it places them
 * @property {(c: BuiltControl) => void} click
 * @property {(c: BuiltControl, text: string) => void} type the input box's whole new text
 * @property {(w: BuiltWindow) => void} close a dialogue asked to close
 */

/**
 * @typedef {object} Mover
 * @property {boolean} drags whether windows move at all
 * @property {number} scale
 * @property {(dx: number, dy: number) => void} moveMain by px at scale 1
 * @property {(el: HTMLElement, left: number, top: number) => void} moveDialog to px at scale 1
 */

/**
 * @param {HTMLElement} screenEl
 * @param {Player} player
 */
export function listen(screenEl, player) {
  /** @param {Event} e */
  const controlOf = (e) => {
    const el = e.target instanceof Element ? e.target.closest(".control") : null;
    return el ? player.screen().controlOf.get(el) : undefined;
  };
  /** @param {Event} e */
  const clickable = (e) => {
    const c = controlOf(e);
    return c && KINDS[c.table.kind].clicks ? c : undefined;
  };

  screenEl.addEventListener("click", (e) => {
    const c = clickable(e);
    if (c) player.click(c);
  });
  // A control takes no focus from a pointer, as on the desktop: the keyboard stays with the
  // input box, so that the next word can be typed straight after a click on a verb.
  screenEl.addEventListener("mousedown", (e) => {
    if (clickable(e)) e.preventDefault();
  });
  // Space and Enter on a label are a click on it, as a button's are.
  screenEl.addEventListener("keydown", (e) => {
    const c = clickable(e);
    if (c && !(c.el instanceof HTMLButtonElement) && (e.key === "Enter" || e.key === " ")) {
      e.preventDefault();
      if (e.key === "Enter") player.click(c);
    } else if (e.key === "Escape") {
      // Asks the dialogue to close, as the window system's close does on the desktop.
      const w = e.target instanceof Element ? e.target.closest(".window.dialog") : null;
      const dialog = w && player.screen().windowOf.get(w);
      if (dialog) {
        e.preventDefault();
        player.close(dialog);
      }
    }
  });
  screenEl.addEventListener("keyup", (e) => {
    const c = clickable(e);
    if (c && !(c.el instanceof HTMLButtonElement) && e.key === " ") player.click(c);
  });
  // Typing only edits the word; the Enter key runs no verb.
  /** @param {Event} e */
  const typed = (e) => {
    const c = controlOf(e);
    if (c && c.el instanceof HTMLInputElement) player.type(c, c.el.value);
  };
  screenEl.addEventListener("input", (e) => {
    if (!(e instanceof InputEvent && e.isComposing)) typed(e);
  });
  screenEl.addEventListener("compositionend", typed);
  drag(screenEl, player);
}

// Dragging the main window's background: a press with any button sets the anchor, and moving
// with exactly the left button held moves the window by the pointer's offset from it. The
// press captures the pointer, as the desktop grabs the mouse for the window pressed on. The
// about window moves by its title bar.
/**
 * @param {HTMLElement} screenEl
 * @param {Player} player
 */
function drag(screenEl, player) {
  /** @type {{el: HTMLElement, x: number, y: number, left: number, top: number, main: boolean} | null} */
  let anchor = null;
  screenEl.addEventListener("pointerdown", (e) => {
    const mover = player.mover();
    const target = /** @type {HTMLElement} */ (e.target);
    const main = player.screen().main.el;
    if (!mover.drags) return;
    if (target === main) {
      // Where the window was pressed, px at scale 1 from its corner.
      const box = main.getBoundingClientRect();
      anchor = { el: main, x: (e.clientX - box.left) / mover.scale, y: (e.clientY - box.top) / mover.scale,
        left: 0, top: 0, main: true };
    } else if (target.classList.contains("title-bar") && e.button === 0) {
      const el = /** @type {HTMLElement} */ (target.parentElement);
      anchor = { el, x: e.clientX, y: e.clientY, left: el.offsetLeft, top: el.offsetTop, main: false };
    } else {
      return; // a press on a control is the control's
    }
    target.setPointerCapture(e.pointerId);
    e.preventDefault(); // no text selection, no focus change
  });
  screenEl.addEventListener("pointermove", (e) => {
    if (!anchor || e.buttons !== 1) return;
    const mover = player.mover();
    if (anchor.main) {
      const box = anchor.el.getBoundingClientRect();
      mover.moveMain(Math.round((e.clientX - box.left) / mover.scale - anchor.x),
        Math.round((e.clientY - box.top) / mover.scale - anchor.y));
    } else {
      mover.moveDialog(anchor.el, Math.round(anchor.left + (e.clientX - anchor.x) / mover.scale),
        Math.round(anchor.top + (e.clientY - anchor.y) / mover.scale));
    }
  });
  const drop = () => {
    anchor = null;
  };
  screenEl.addEventListener("pointerup", drop);
  screenEl.addEventListener("pointercancel", drop);
  screenEl.addEventListener("contextmenu", (e) => {
    if (e.target === player.screen().main.el) e.preventDefault();
  });
}

// A focus ring is for a player who moves with the keyboard: it shows after Tab and goes with
// the next press of a pointer, so that a dialogue opened by a click comes up without one.
export function watchModality() {
  const root = document.documentElement;
  document.addEventListener("keydown", (e) => {
    if (e.key === "Tab") root.classList.add("keyboard");
  }, true);
  document.addEventListener("pointerdown", () => root.classList.remove("keyboard"), true);
}
