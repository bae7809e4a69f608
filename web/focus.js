// Where the keyboard is, as the windows come and go: the same rule as the desktop's. A
// dialogue that comes up takes the focus on its first line (or takes it back when what had it
// has gone, a card the turn took away); when it goes, the focus returns to where it was in
// the main window. A minimised window comes back with the focus where it was. And at the
// start, the intro takes the focus once the splash has gone, so that a screen reader reads it
// out.

/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */

export class Focus {
  /** @type {BuiltWindow | null} the dialogue up at the last draw */
  #dialog = null;
  /** @type {Element | null} where the focus was in the main window before a dialogue */
  #before = null;
  /** @type {Element | null} where it was when the main window was minimised */
  #minimised = null;
  #introduced = false;

  // A new run: nothing to return to.
  reset() {
    this.#dialog = null;
    this.#before = null;
    this.#minimised = null;
    this.#introduced = false;
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
      const gone = !active || !dialog.el.contains(active) || !active.getClientRects().length;
      if (dialog !== this.#dialog || gone) firstLine(dialog).focus();
    } else if (this.#dialog && this.#before?.isConnected) {
      /** @type {HTMLElement} */ (this.#before).focus();
      this.#before = null;
    } else if (!this.#introduced && (!active || active === document.body)) {
      // Once the splash that covers it has gone.
      const shown = (/** @type {string} */ what) => screen.main.controls.find((c) => c.table.shows.what === what &&
        !c.el.hidden && (what !== "Intro" || c.table.focus));
      const intro = shown("Intro");
      if (intro && !shown("Splash")) {
        this.#introduced = true;
        intro.el.focus({ preventScroll: true });
      }
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

// The first line of a window that takes the focus, in its reading order (the document's).
/** @param {BuiltWindow} w */
function firstLine(w) {
  const lines = /** @type {NodeListOf<HTMLElement>} */ (w.el.querySelectorAll("[tabindex='0'], button, input"));
  return [...lines].find((el) => el.tabIndex >= 0 && el.getClientRects().length > 0) || w.el;
}
