// Text layout: how the page writes a control's text. A text box's text is the game's, its lines
// broken where the game broke them (CR LF, written as a line break); where the view sets text
// as the desktop does, each such line wraps where the desktop's text box wraps it, and a
// one-line caption too long for its box takes a smaller size, as on the desktop. What the page
// adds to break a line is drawn only: the box's text, as a player copies it and a screen reader
// reads it, stays the game's.

/** @typedef {import("./tables.js").Tables} Tables */
/** @typedef {import("./tables.js").ControlTable} ControlTable */

export const POINTS_TO_PX = 96 / 72;

/**
 * @typedef {object} Setting what the typesetter asks of the page, as it is now
 * @property {() => number} scale the screen's scale
 * @property {() => boolean} asDesktop whether text is wrapped and fitted as the desktop does
 *   (the classic view), or left to the browser
 */

/**
 * A text box's room, measured once it is first on screen: it never changes.
 * @typedef {object} Room
 * @property {number} width px its lines can take
 * @property {number} height px of lines it shows without scrolling
 * @property {number} line px from one line to the next
 * @property {string} font
 */

// Where the desktop's text box wraps a line: at a blank, as soon as the words so far and the
// next one would pass the room, counting the whole pixel that some letters' ink (т, у, г..)
// stands past their advance. The desktop adds up each letter's advance in 64ths of a pixel,
// rounded down, and sets no kerning; the page measures the same way and wraps by the same
// rule, so that both editions break alike. The pieces keep their blanks, as the desktop's
// lines do.
// The page adds advances in 64ths of a pixel, as the desktop does; the browser draws with finer
// ones, up to a fraction of a pixel wider a line. A box lays its text out one pixel narrower than
// the room the browser has (its right padding is that pixel short), so that the browser never
// wraps again a line the page has laid out: "happened below. The view from the" is 169 px to the
// page and 169.3 px drawn.
const SLACK_PX = 1;
/** @type {Map<string, Map<string, [number, number]>>} font -> letter -> [advance, overhang] */
const letters = new Map();
// fontKerning: in every browser the page runs in, not yet in the checker's own types.
/** @type {CanvasRenderingContext2D & {fontKerning: string} | null} */
let measurer = null;

/**
 * @param {string} font
 * @param {string} ch
 * @returns {[number, number]}
 */
function letter(font, ch) {
  let known = letters.get(font);
  if (!known) letters.set(font, (known = new Map()));
  let metrics = known.get(ch);
  if (!metrics) {
    const m = /** @type {CanvasRenderingContext2D} */ (measurer).measureText(ch);
    const advance = Math.floor(m.width * 64) / 64;
    metrics = [advance, Math.max(0, -Math.round(advance - m.actualBoundingBoxRight))];
    known.set(ch, metrics);
  }
  return metrics;
}

/**
 * @param {string} line
 * @param {number} room
 * @param {string} font
 * @returns {string[]}
 */
export function wrapLine(line, room, font) {
  measurer ||= /** @type {CanvasRenderingContext2D & {fontKerning: string}} */ (
    document.createElement("canvas").getContext("2d"));
  measurer.font = font;
  measurer.fontKerning = "none";
  const words = line.match(/ *[^ ]+ */g) || [line];
  const pieces = [];
  let piece = "";
  let width = 0; // of the piece, its blanks included
  for (const word of words) {
    const bare = word.trimEnd();
    let through = width; // to the end of the word's last letter
    for (const ch of bare) through += letter(font, ch)[0];
    const overhang = bare ? letter(font, bare[bare.length - 1])[1] : 0;
    if (piece && through + overhang > room) {
      pieces.push(piece);
      piece = "";
      through -= width;
      width = 0;
    }
    piece += word;
    width = through;
    for (const ch of word.slice(bare.length)) width += letter(font, ch)[0];
  }
  pieces.push(piece);
  return pieces;
}

// The end of a piece of a wrapped line: a line break drawn by the style sheet (.line-end), no
// character of the text, and nothing a screen reader is given.
const lineEnd = document.createElement("span");
lineEnd.className = "line-end";
lineEnd.setAttribute("aria-hidden", "true");

/** @param {string} text the game's, its lines broken by CR LF */
const linesOf = (text) => (text ? text.split(/\r\n?|\n/) : []);

export class Typesetter {
  /** @type {Map<HTMLElement, string>} text boxes whose text waits for their room to be known */
  #unwrapped = new Map();
  /** @type {Set<HTMLElement>} captions to fit once they are on screen */
  #unfitted = new Set();
  /** @type {WeakMap<Element, Room>} */
  #rooms = new WeakMap();
  /** @type {WeakSet<EventTarget>} boxes the player is composing a word in */
  #composing = new WeakSet();
  /** @type {WeakSet<EventTarget>} boxes the player has scrolled */
  #scrolled = new WeakSet();

  /**
   * @param {Tables} tables
   * @param {Setting} setting
   */
  constructor(tables, setting) {
    this.tables = tables;
    this.setting = setting;
    document.addEventListener("compositionstart", (e) => e.target && this.#composing.add(e.target));
    document.addEventListener("compositionend", (e) => e.target && this.#composing.delete(e.target));
    document.addEventListener("scroll", (e) => e.target && this.#scrolled.add(e.target), { capture: true, passive: true });
  }

  /**
   * A label's caption, fitted to its box once that is on screen.
   * @param {HTMLElement} el
   * @param {ControlTable | null} c
   * @param {string} text
   */
  caption(el, c, text) {
    el.textContent = text;
    if (c?.wrap || c?.kind === "Splash" || !text || !this.setting.asDesktop()) {
      this.#unfitted.delete(el);
      return;
    }
    el.style.fontSize = `${Number(el.dataset.points) * POINTS_TO_PX}px`;
    this.#unfitted.add(el);
  }

  /**
   * A button's caption, whose "&" marks the next letter: underlined, and the access key.
   * @param {HTMLElement} el
   * @param {ControlTable} c
   * @param {string} caption
   */
  mnemonic(el, c, caption) {
    const at = caption.indexOf("&");
    if (at < 0 || at + 1 >= caption.length) {
      el.textContent = caption;
      return;
    }
    const key = caption[at + 1];
    const underlined = document.createElement("u");
    underlined.textContent = key;
    el.replaceChildren(caption.slice(0, at), underlined, caption.slice(at + 2));
    el.accessKey = key.toLowerCase();
  }

  /**
   * The input box's word, unless the player is in the middle of composing one.
   * @param {HTMLElement} el
   * @param {ControlTable} c
   * @param {string} text
   */
  value(el, c, text) {
    const input = /** @type {HTMLInputElement} */ (el);
    if (input.value !== text && !this.#composing.has(input)) input.value = text;
  }

  /**
   * A text box's text, written once: wrapped as the desktop wraps it where the view asks for
   * that and the box's room is known, else as it comes, to be wrapped once the box is on
   * screen (its first text, before it was ever shown).
   * @param {HTMLElement} el
   * @param {ControlTable | null} c
   * @param {string} text
   */
  paragraphs(el, c, text) {
    const room = this.setting.asDesktop() ? this.#rooms.get(el) : undefined;
    if (room) {
      this.#write(el, text, room);
    } else {
      fill(el, linesOf(text).map((line) => [line]));
      if (this.setting.asDesktop()) this.#unwrapped.set(el, text);
    }
    // New text is read from its start. Only a box the player scrolled needs taking back: the
    // page lays itself out to do it.
    if (this.#scrolled.has(el)) {
      this.#scrolled.delete(el);
      el.scrollTop = 0;
    }
  }

  /**
   * @param {HTMLElement} el
   * @param {string} text
   * @param {Room} room
   */
  #write(el, text, room) {
    this.#unwrapped.delete(el);
    let count = 0;
    fill(el, linesOf(text).map((line) => {
      const pieces = line ? wrapLine(line, room.width, room.font) : [line];
      count += pieces.length;
      return pieces;
    }));
    // With nothing to scroll, the scroll bar's thumb fills the groove.
    el.classList.toggle("unscrolled", count * room.line <= room.height);
  }

  // What needs the page laid out: a text box's room, and a caption's fit. Only what is on
  // screen can be measured; the rest waits until it is. All reads, then all writes, where it
  // can: one layout, not one per control.
  measure() {
    if (!this.setting.asDesktop()) {
      this.#unwrapped.clear();
      this.#unfitted.clear();
      return;
    }
    const shown = (/** @type {HTMLElement} */ el) => el.isConnected && el.getClientRects().length > 0;
    const boxes = [...this.#unwrapped].filter(([el]) => shown(el));
    for (const [el] of boxes) this.#measureRoom(el);
    for (const [el, text] of boxes) this.#write(el, text, /** @type {Room} */ (this.#rooms.get(el)));
    for (const el of this.#unfitted) {
      if (!shown(el)) continue;
      this.#fit(el);
      this.#unfitted.delete(el);
    }
  }

  /** @param {HTMLElement} el */
  #measureRoom(el) {
    const style = getComputedStyle(el);
    const padding = (/** @type {string} */ a, /** @type {string} */ b) => parseFloat(a) + parseFloat(b);
    this.#rooms.set(el, {
      width: el.clientWidth - padding(style.paddingLeft, style.paddingRight) - SLACK_PX,
      height: el.clientHeight - padding(style.paddingTop, style.paddingBottom),
      line: parseFloat(style.lineHeight),
      font: `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`,
    });
  }

  // A one-line caption too long for its box takes the largest size below the table's at which
  // it fits, as on the desktop. The room is the box less its padding and border: where the
  // text is really drawn.
  /** @param {HTMLElement} el */
  #fit(el) {
    let points = Number(el.dataset.points);
    const style = getComputedStyle(el);
    const room = el.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const scale = this.setting.scale();
    const needed = () => {
      const range = document.createRange();
      range.selectNodeContents(el);
      return range.getBoundingClientRect().width / scale;
    };
    while (needed() > room && points - this.tables.fitStep >= this.tables.fitSmallest) {
      points -= this.tables.fitStep;
      el.style.fontSize = `${points * POINTS_TO_PX}px`;
    }
  }

  // For the browser test, which holds every text to the desktop's breaks: lays TEXT out in EL,
  // a box of the page's on screen, as the page lays out a text box in the classic view.
  /**
   * @param {HTMLElement} el
   * @param {string} text
   */
  layText(el, text) {
    this.#measureRoom(el);
    this.#write(el, text, /** @type {Room} */ (this.#rooms.get(el)));
  }

  // And a caption, as the page writes and fits a label.
  /**
   * @param {HTMLElement} el
   * @param {string} text
   */
  layCaption(el, text) {
    this.caption(el, null, text);
    this.#unfitted.delete(el);
    if (text) this.#fit(el);
  }
}

/**
 * A box's text: each line the game broke by hand, in the pieces it wraps into, its own element
 * (the browser test reads where each letter stands), and a line break between them.
 * @param {HTMLElement} el
 * @param {string[][]} lines
 */
function fill(el, lines) {
  /** @type {(string | Node)[]} */
  const nodes = [];
  for (const pieces of lines) {
    const line = document.createElement("span");
    pieces.forEach((piece, i) => {
      if (i) line.append(lineEnd.cloneNode());
      if (piece) line.append(piece);
    });
    if (nodes.length) nodes.push("\n");
    nodes.push(line);
  }
  // A text that ends with a line break has an empty last line, as the desktop's box shows it;
  // the browser draws none after the break but for this.
  const last = lines[lines.length - 1];
  if (lines.length > 1 && !last[0]) nodes[nodes.length - 1] = lineEnd.cloneNode();
  el.replaceChildren(...nodes);
}
