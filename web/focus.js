// Where the keyboard is, as the windows come and go: the same rule as the desktop's. A window
// that comes up, the main window at the start and each dialogue, takes the focus on the first
// control in its reading order that the player acts on, told what the read-only boxes before
// it read: the intro's button told the intro, the ending's button the epilogue, a dialogue's
// first line. Where it has gone (a card the turn took away), the dialogue takes it back. When
// a dialogue goes, the focus returns to where it was in the main window; when what has it in
// the main window hides (the intro's button), it moves on to the next control, as the desktop
// moves it. A minimised window comes back with the focus where it was.

/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */

export class Focus {
  /** @type {BuiltWindow | null} the dialogue up at the last draw */
  #dialog = null;
  /** @type {Element | null} where the focus was in the main window before a dialogue */
  #before = null;
  /** @type {Element | null} where it was when the main window was minimised */
  #minimised = null;
  #started = false; // the main window has come up

  // A new run: nothing to return to.
  reset() {
    this.#dialog = null;
    this.#before = null;
    this.#minimised = null;
    this.#started = false;
  }


  /**
   * After each draw, with the dialogue now up, if any. Returns where the focus moved, if it did.
   * @param {Screen} screen
   * @param {BuiltWindow | null} dialog
   * @returns {Element | null}
   */
  follow(screen, dialog) {
    const active = document.activeElement;
    if (dialog) {
      if (!this.#dialog) this.#before = active;
      // What had the focus in it may have gone this draw, the browser not yet knowing.
      const gone = !active || !dialog.el.contains(active) || !shown(active);
      if (dialog !== this.#dialog || gone) comeUp(dialog);
    } else if (this.#dialog && this.#before?.isConnected) {
      /** @type {HTMLElement} */ (this.#before).focus();
      this.#before = null;
    } else if (!this.#started) {
      // The main window comes up once its title splash has gone, and a screen reader has read
      // the title: where nothing else has the focus, its first control takes it.
      if (!screen.main.controls.some((c) => c.table.shows.what === "Splash" && !c.el.hidden)) {
        this.#started = true;
        if (!active || active === document.body) comeUp(screen.main);
      }
    } else if (active && screen.main.el.contains(active) && !shown(active)) {
      const controls = takers(screen.main);
      const next = controls.slice(controls.indexOf(/** @type {HTMLElement} */ (active)) + 1).find(shown);
      (next || controls.find(shown))?.focus();
    }
    this.#dialog = dialog;
    return document.activeElement === active ? null : document.activeElement;
  }
  /**
   * The main window is about to go to the bar: where the focus is in it now.
   * @param {Screen} screen
   * @param {HTMLElement} from the control that minimises it
   */
  minimise(screen, from) {
    const active = document.activeElement;
    this.#minimised = active && screen.main.el.contains(active) ? active : from;
  }

  restore() {
    if (this.#minimised?.isConnected) /** @type {HTMLElement} */ (this.#minimised).focus();
    this.#minimised = null;
  }
}

/** @param {Element} el */
const shown = (el) => el.getClientRects().length > 0;

// The window's controls that take the focus, in its reading order (the document's).
/** @param {BuiltWindow} w */
const takers = (w) => [.../** @type {NodeListOf<HTMLElement>} */ (w.el.querySelectorAll("[tabindex='0'], button, input"))]
  .filter((el) => el.tabIndex >= 0);

// The window's first control that the player acts on takes the focus, told what the read-only
// boxes before it read; a window with none takes it itself.
/** @param {BuiltWindow} w */
function comeUp(w) {
  const boxes = [];
  for (const el of takers(w).filter(shown)) {
    if (el.getAttribute("aria-readonly") === "true") {
      boxes.push(el.id);
      continue;
    }
    if (boxes.length) el.setAttribute("aria-describedby", boxes.join(" "));
    else el.removeAttribute("aria-describedby");
    el.focus({ preventScroll: true });
    return;
  }
  w.el.focus({ preventScroll: true });
}
