// Drawing: the game's state onto the elements built from the tables. It touches only what
// changed since it last drew, so that a click costs the page next to nothing beyond the
// controls it changes, and a screen reader hears a live control once, when it changes.

import { KINDS } from "./build.js";

/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltWindow} BuiltWindow */
/** @typedef {import("./module.js").State} State */
/** @typedef {import("./module.js").FormState} FormState */
/** @typedef {import("./text.js").Typesetter} Typesetter */

/**
 * What a control was last drawn with.
 * @typedef {object} Drawn
 * @property {string} [text]
 * @property {boolean} [visible]
 * @property {string} [colour]
 * @property {string} [accessible]
 */

export class Drawer {
  /** @type {WeakMap<Element, Drawn>} */
  #drawn = new WeakMap();
  /** @type {{el: HTMLElement, name: string}[]} live controls whose name changed at this draw */
  #renamed = [];

  /**
   * @param {Typesetter} typesetter
   * @param {HTMLElement} said a live region of the page's own, outside the windows, that says
   *   the new name of a live control heard by its name
   */
  constructor(typesetter, said) {
    this.typesetter = typesetter;
    this.said = said;
  }

  // Everything is drawn anew at the next draw (a new view sets text its own way).
  forget() {
    this.#drawn = new WeakMap();
  }

  /**
   * The windows and their controls as the state has them; the main window stays off screen
   * while minimised. Returns the dialogue that is up, if any.
   * @param {Screen} screen
   * @param {State} state
   * @param {boolean} minimised
   * @returns {BuiltWindow | null}
   */
  draw(screen, state, minimised) {
    let dialog = null;
    for (const w of screen.windows) {
      const form = state.forms[w.table.name];
      if (!form.created) continue;
      const isMain = w === screen.main;
      const shown = Boolean(form.visible) && !(isMain && minimised);
      if (w.el.hidden === shown) w.el.hidden = !shown;
      if (isMain && w.el.inert === form.enabled) w.el.inert = !form.enabled;
      if (!isMain && shown) dialog = w;
      this.form(w, form);
    }
    if (screen.bar.hidden === minimised) screen.bar.hidden = !minimised;
    return dialog;
  }

  /**
   * @param {BuiltWindow} w
   * @param {FormState} form
   */
  form(w, form) {
    if (!form.controls) return;
    for (const c of w.controls) {
      const shown = form.controls[c.table.name];
      if (!shown) continue;
      const el = c.el;
      let drawn = this.#drawn.get(el);
      if (!drawn) this.#drawn.set(el, (drawn = {}));
      const kind = KINDS[c.table.kind];
      if (drawn.text !== shown.text) {
        drawn.text = shown.text;
        if (kind.write) this.typesetter[kind.write](el, c.table, shown.text);
      }
      if (drawn.visible !== shown.visible) {
        drawn.visible = shown.visible;
        el.hidden = !shown.visible;
      }
      const colour = shown.colour || c.table.textColour || "";
      if (drawn.colour !== colour) {
        drawn.colour = colour;
        el.style.color = colour;
      }
      if (drawn.accessible !== shown.accessible) {
        // A new name of a live control, not its first: a card turned.
        if (c.table.live && kind.heard === "name" && drawn.accessible !== undefined) {
          this.#renamed.push({ el, name: shown.accessible || shown.text });
        }
        drawn.accessible = shown.accessible;
        tell(el, kind.told, shown.accessible);
      }
    }
  }

  /**
   * Says the new names of this draw's renamed live controls, but where the focus has just moved
   * to one: the screen reader says it then, as the control it lands on.
   * @param {Element | null} focused
   */
  announce(focused) {
    const names = this.#renamed.filter((r) => r.el !== focused).map((r) => r.name);
    this.#renamed = [];
    if (names.length) this.said.textContent = names.join(" ");
  }

  /**
   * The end of a run: every window goes, and the page says the game is over.
   * @param {Screen} screen
   */
  end(screen) {
    for (const w of screen.windows) w.el.hidden = true;
    screen.bar.hidden = true;
    if (screen.over.hidden) {
      screen.over.hidden = false;
      screen.over.querySelector("button")?.focus();
    }
  }
}

/**
 * What a screen reader is told: a control's name, a picture's text, a cell's description.
 * @param {HTMLElement} el
 * @param {"name" | "alt" | "description" | null} told
 * @param {string} accessible
 */
function tell(el, told, accessible) {
  const attribute = told === "name" ? "aria-label" : told === "description" ? "aria-description" : null;
  if (told === "alt") {
    /** @type {HTMLImageElement} */ (el).alt = accessible;
  } else if (attribute && accessible) {
    el.setAttribute(attribute, accessible);
  } else if (attribute) {
    el.removeAttribute(attribute);
  }
}
