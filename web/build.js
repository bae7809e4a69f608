// Building the page's elements from the tables: one element per window and per control, each
// with the tables' name as its id (WINDOW.CONTROL; a window's is its name), what a screen
// reader is told it is, and where it takes the keyboard. What they show is drawn (draw.js);
// where they stand is the view's (classic.js, touch.js); what they do is the input's
// (input.js). And the page's own few elements round the game's windows.

/** @typedef {import("./tables.js").Tables} Tables */
/** @typedef {import("./tables.js").WindowTable} WindowTable */
/** @typedef {import("./tables.js").ControlTable} ControlTable */
/** @typedef {import("./module.js").Words} Words */
/** @typedef {import("./module.js").Language} Language */
/** @typedef {import("./text.js").Typesetter} Typesetter */

/**
 * @typedef {object} BuiltControl
 * @property {HTMLElement} el
 * @property {ControlTable} table
 * @property {number} row its index in its window's controls
 * @property {BuiltWindow} window
 */

/**
 * @typedef {object} BuiltWindow
 * @property {HTMLElement} el
 * @property {WindowTable} table
 * @property {number} index its index in the tables' windows
 * @property {BuiltControl[]} controls in the tables' order
 * @property {HTMLElement | null} titleBar
 */

/**
 * One run's elements.
 * @typedef {object} Screen
 * @property {Tables} tables what they were built from
 * @property {BuiltWindow[]} windows in the tables' order
 * @property {BuiltWindow} main
 * @property {BuiltWindow | null} blinking the window whose title a timer of its own redraws
 * @property {HTMLButtonElement} bar the bar a minimised main window leaves
 * @property {HTMLElement} over what the page shows once the run has ended
 * @property {HTMLImageElement[]} pictures their files are asked for once the first frame is up
 * @property {Map<Element, BuiltControl>} controlOf
 * @property {Map<Element, BuiltWindow>} windowOf
 */

/**
 * @typedef {object} Kind what a kind of control becomes
 * @property {(c: ControlTable) => HTMLElement} make
 * @property {"caption" | "paragraphs" | "mnemonic" | "value" | null} write the typesetter's
 *   way of writing its text
 * @property {"name" | "alt" | "description" | null} told what a screen reader is told of
 *   the accessible text: its name, a picture's text, or a description beside a name that
 *   stays its text
 * @property {boolean} clicks whether a click on it goes to the game
 * @property {"content" | "name"} heard what a screen reader reads of it, and so what is
 *   announced when it changes where the tables say it is live: what it shows (it is a live
 *   region), or its name (the page says the new name; a card's word, never what a face-down
 *   card holds unseen)
 */

/** @type {Record<string, Kind>} */
export const KINDS = {
  Label: { make: makeDiv, write: "caption", told: "description", clicks: false, heard: "content" },
  Boxed: { make: makeDiv, write: "caption", told: "description", clicks: false, heard: "content" },
  Splash: { make: makeDiv, write: "caption", told: "description", clicks: false, heard: "content" },
  Verb: { make: makeClickable, write: "caption", told: "name", clicks: true, heard: "name" },
  Click: { make: makeClickable, write: "caption", told: "name", clicks: true, heard: "name" },
  Text: { make: makeTextBox, write: "paragraphs", told: "name", clicks: false, heard: "content" },
  Input: { make: makeInput, write: "value", told: "name", clicks: false, heard: "content" },
  Button: { make: makeButton, write: "mnemonic", told: "name", clicks: true, heard: "name" },
  Picture: { make: makePicture, write: null, told: "alt", clicks: false, heard: "name" },
  Panel: { make: makePanel, write: null, told: null, clicks: false, heard: "name" },
};

/**
 * Every window of the tables, hidden but the main one, with their controls; placed and
 * ordered by the view, drawn by the drawer.
 * @param {Tables} tables
 * @param {Words} words
 * @param {{restore: () => void, newRun: () => void}} actions the page's own buttons
 * @returns {Screen}
 */
export function buildScreen(tables, words, actions) {
  /** @type {Map<Element, BuiltControl>} */
  const controlOf = new Map();
  /** @type {Map<Element, BuiltWindow>} */
  const windowOf = new Map();
  /** @type {HTMLImageElement[]} */
  const pictures = [];
  const windows = tables.windows.map((table, index) => {
    const el = document.createElement("div");
    el.id = table.name;
    el.className = `window ${table.main ? "main" : "dialog"}`;
    el.setAttribute("aria-label", table.accessible);
    if (table.main) {
      el.setAttribute("role", "region");
    } else {
      el.setAttribute("role", "dialog");
      el.setAttribute("aria-modal", "true");
      el.hidden = true;
    }
    el.style.background = table.background;
    /** @type {BuiltWindow} */
    const w = { el, table, index, controls: [], titleBar: null };
    if (table.title) {
      el.classList.add("titled");
      w.titleBar = buildTitleBar(table);
      el.append(w.titleBar);
    }
    w.controls = table.controls.map((c, row) => {
      const control = { el: buildControl(table, c, tables), table: c, row, window: w };
      controlOf.set(control.el, control);
      if (control.el instanceof HTMLImageElement) pictures.push(control.el);
      return control;
    });
    windowOf.set(el, w);
    return w;
  });
  const main = windows.find((w) => w.table.main) || windows[0];
  const bar = buildBar(words, actions.restore);
  pictures.push(/** @type {HTMLImageElement} */ (bar.querySelector("img")));
  return {
    tables,
    windows,
    main,
    blinking: windows.find((w) => w.table.controls.some((c) => c.blinks)) || null,
    bar,
    over: buildOver(words, actions.newRun),
    pictures,
    controlOf,
    windowOf,
  };
}

/**
 * @param {WindowTable} w
 * @param {ControlTable} c
 * @param {Tables} tables
 */
function buildControl(w, c, tables) {
  const kind = KINDS[c.kind];
  const el = kind.make(c);
  el.id = `${w.name}.${c.name}`;
  el.classList.add("control", c.kind.toLowerCase(), `font-${c.font.toLowerCase()}`,
    `align-${c.align.toLowerCase()}`);
  if (c.wrap) el.classList.add("wrap");
  // What it is, for the touch view's style sheet.
  el.dataset.shows = c.shows.what;
  el.dataset.does = c.does.what;
  if (c.textColour) el.style.color = c.textColour;
  if (c.background) el.style.background = c.background;
  if (c.tooltip) el.title = c.tooltip;
  if (!c.visible) el.hidden = true;
  const font = tables.fonts[c.font];
  el.dataset.points = String(font.points);
  el.style.fontWeight = font.bold ? "bold" : "normal";
  // The Tab order is the reading order, which the view keeps in the document: every control
  // that takes the focus is in it, and nothing else.
  if (el instanceof HTMLButtonElement || el instanceof HTMLInputElement) {
    if (!c.focus) el.tabIndex = -1;
  } else if (c.focus) {
    el.tabIndex = 0;
  }
  if (c.labelledBy !== null) el.setAttribute("aria-labelledby", `${w.name}.${w.controls[c.labelledBy].name}`);
  // Heard without a move of the focus when what it shows changes.
  if (c.live && kind.heard === "content") el.setAttribute("aria-live", "polite");
  return el;
}

/**
 * A window's controls in its reading order, which the document keeps so that Tab and a screen
 * reader go through it as one reads it; a panel's controls go into the panel.
 * @param {BuiltWindow} w
 */
export function inReadingOrder(w) {
  for (const row of w.table.reading) {
    const c = w.controls[row];
    (c.table.panel === null ? w.el : w.controls[c.table.panel].el).append(c.el);
  }
}

// A div rather than a textarea: it reads the same, scrolls the same, and a screen reader hears
// its changes where it is a live region.
/** @param {ControlTable} c */
function makeTextBox(c) {
  const el = document.createElement("div");
  el.setAttribute("role", "textbox");
  el.setAttribute("aria-readonly", "true");
  el.setAttribute("aria-multiline", "true");
  if (!c.border) el.classList.add("borderless");
  return el;
}

function makeInput() {
  const el = document.createElement("input");
  el.type = "text";
  el.autocomplete = "off";
  el.spellcheck = false;
  // A phone's keyboard must change nothing the player types: the rules match the word exactly.
  el.setAttribute("autocapitalize", "off");
  el.setAttribute("autocorrect", "off");
  el.enterKeyHint = "enter"; // a plain Enter key: it promises no action, and runs none
  return el;
}

function makeDiv() {
  return document.createElement("div");
}

function makeButton() {
  const el = document.createElement("button");
  el.type = "button";
  return el;
}

// Its file is asked for once the first frame is up (see Screen.pictures): no window that
// shows one is up before then.
/** @param {ControlTable} c */
function makePicture(c) {
  const el = document.createElement("img");
  el.dataset.src = `pictures/${c.picture}.svg`;
  el.draggable = false;
  return el;
}

/** @param {ControlTable} c */
function makePanel(c) {
  const el = document.createElement("div");
  if (c.tooltip || c.labelledBy !== null) el.setAttribute("role", "group");
  if (c.tooltip) el.setAttribute("aria-label", c.tooltip);
  return el;
}

function makeClickable() {
  const el = document.createElement("div");
  el.setAttribute("role", "button");
  return el;
}

// The about window's title bar: the caption, and a handle to move the window by.
/** @param {WindowTable} w */
function buildTitleBar(w) {
  const bar = document.createElement("div");
  bar.className = "title-bar";
  bar.id = `${w.name}.title`;
  bar.textContent = w.title;
  bar.setAttribute("aria-hidden", "true"); // the dialogue's own name says it
  return bar;
}

// The bar a minimised main window leaves, which restores it. It stands at the foot of the
// browser's window, as a task bar does, at the screen's scale.
/**
 * @param {Words} words
 * @param {() => void} restore
 */
function buildBar(words, restore) {
  const bar = document.createElement("button");
  bar.type = "button";
  bar.id = "minimised";
  bar.hidden = true;
  bar.title = words.restore;
  const skull = document.createElement("img");
  skull.dataset.src = "pictures/skull.svg";
  skull.alt = "";
  const name = document.createElement("span");
  name.textContent = words.title;
  bar.append(skull, name);
  bar.addEventListener("click", restore);
  return bar;
}

// What the page shows once the run has ended, with the way to a new one.
/**
 * @param {Words} words
 * @param {() => void} newRun
 */
function buildOver(words, newRun) {
  const over = document.createElement("div");
  over.id = "over";
  over.hidden = true;
  const message = document.createElement("p");
  message.id = "over.message";
  message.setAttribute("role", "status");
  message.textContent = words.gameOver;
  const again = document.createElement("button");
  again.type = "button";
  again.id = "over.newRun";
  again.textContent = words.newRun;
  again.setAttribute("aria-describedby", message.id); // heard when it takes the focus
  again.addEventListener("click", newRun);
  over.append(message, again);
  return over;
}

/**
 * The other languages, each by its own name, outside the game's windows.
 * @param {Language[]} languages
 * @param {string} shown the code of the one shown
 * @param {(code: string) => string} address a link's target for a language
 * @param {(code: string) => void} choose
 */
export function buildLanguages(languages, shown, address, choose) {
  const nav = document.createElement("nav");
  nav.id = "languages";
  nav.append(...languages.filter((l) => l.code !== shown).map((l) => {
    const link = document.createElement("a");
    link.id = `languages.${l.code}`;
    link.textContent = l.name;
    link.lang = l.code;
    link.hreflang = l.code;
    link.href = address(l.code);
    link.addEventListener("click", (e) => {
      e.preventDefault();
      choose(l.code);
    });
    return link;
  }));
  return nav;
}

/**
 * The switch between the views, outside the windows.
 * @param {boolean} offered
 * @param {() => void} toggle
 */
export function buildViewSwitch(offered, toggle) {
  const button = document.createElement("button");
  button.type = "button";
  button.id = "view";
  button.hidden = !offered;
  button.addEventListener("click", toggle);
  return button;
}
