// The run: the page's one owner of the game's session and of the page's state. It builds every
// window from the tables the game's module gives, hands each click and each edit of the input
// box to the module as one call, and after each event has everything redrawn from the module's
// state. It holds no rule and no text of its own: captions, names, what each control shows
// and does, and the page's few words all come from the module; so do the numbers of the look
// (colours, sizes), as CSS custom properties.
//
// window.tarvilonReady turns true, and a "tarvilonready" event is sent to the document, once
// the first frame of a run is drawn. boot.js loads this script and the module, and calls
// start().

import { addressWith, askedView, fixedScale, remember } from "./address.js";
import { buildLanguages, buildScreen, buildViewSwitch } from "./build.js";
import { ClassicView } from "./classic.js";
import { Drawer } from "./draw.js";
import { Focus } from "./focus.js";
import { listen, watchModality } from "./input.js";
import { Typesetter, POINTS_TO_PX } from "./text.js";
import { TouchView, fingers, suitsTouch } from "./touch.js";

/** @typedef {import("./tables.js").Tables} Tables */
/** @typedef {import("./module.js").CreateModule} CreateModule */
/** @typedef {import("./module.js").Session} Session */
/** @typedef {import("./module.js").Language} Language */
/** @typedef {import("./module.js").Words} Words */
/** @typedef {import("./module.js").State} State */
/** @typedef {import("./build.js").Screen} Screen */
/** @typedef {import("./build.js").BuiltControl} BuiltControl */
/** @typedef {ClassicView | TouchView} View */
/** @typedef {(code: string) => Promise<Uint8Array | null>} Catalogs a language's catalog */

/**
 * @param {CreateModule} create the module's factory
 * @param {string} language the language boot.js chose, whose catalog it is fetching
 * @param {Catalogs} catalogs
 */
export async function start(create, language, catalogs) {
  // The bundled faces before anything is laid out, so that captions are fitted in them.
  const faces = ["11px 'PT Sans'", "bold 11px 'PT Sans'"].map((f) => document.fonts.load(f));
  const [module] = await Promise.all([create(), ...faces]);
  const session = new module.Session();
  /** @type {Language[]} */
  const languages = JSON.parse(module.Session.languages());
  const own = languages[0].code;
  const known = languages.some((l) => l.code === language) ? language : own;
  const mo = known === own ? "" : await catalogs(known);
  new Run(session, languages, catalogs, read(session, mo === null ? own : known, mo || ""));
}

/**
 * @typedef {object} Reading the run as it reads in one language
 * @property {string} language its code
 * @property {Tables} tables
 * @property {Words} words the page's own
 */

/**
 * The catalog of a language into the session, and the tables and the page's words as they read
 * in it.
 * @param {Session} session
 * @param {string} language
 * @param {Uint8Array | string} mo the catalog, "" for the game's own language
 * @returns {Reading}
 */
function read(session, language, mo) {
  session.setCatalog(mo);
  const words = JSON.parse(session.page());
  document.title = words.title;
  document.documentElement.lang = language;
  return { language, tables: JSON.parse(session.layout()), words };
}

class Run {
  pageEl = /** @type {HTMLElement} */ (document.getElementById("page"));
  screenEl = /** @type {HTMLElement} */ (document.getElementById("screen"));
  minimised = false; // the window system's business on the desktop; the page's here
  splashTimer = 0;
  blinkTimer = 0;
  focus = new Focus();
  classic = new ClassicView(this.pageEl, this.screenEl, fixedScale());
  touch = new TouchView(this.pageEl, this.screenEl);

  /**
   * @param {Session} session
   * @param {Language[]} languages the game's own first
   * @param {Catalogs} catalogs
   * @param {Reading} reading
   */
  constructor(session, languages, catalogs, reading) {
    this.session = session;
    this.languages = languages;
    this.catalogs = catalogs;
    this.reading = reading;
    this.lookFromTables();
    /** @type {View} */
    this.view = this.classic;
    const setting = { scale: () => this.view.scale, asDesktop: () => this.view.asDesktop };
    // Its numbers, which no language changes.
    this.typesetter = new Typesetter(reading.tables, setting);
    const said = document.createElement("p");
    said.id = "said";
    said.setAttribute("role", "status");
    document.body.append(said);
    this.drawer = new Drawer(this.typesetter, said);
    this.buildLanguages();
    const asked = askedView();
    document.body.append(buildViewSwitch(fingers() || asked !== null, () => this.switchView()));
    this.useView(asked === "touch" || asked === "classic" ? asked : suitsTouch() ? "touch" : "classic");
    listen(this.screenEl, {
      screen: () => this.screen,
      mover: () => this.view,
      click: (c) => this.click(c),
      type: (c, text) => this.act(() => this.session.type(c.window.index, c.row, text)),
      close: (w) => this.act(() => this.session.requestClose(w.index)),
    });
    watchModality();
    /** @type {Screen} this run's elements */
    this.screen = this.newRun(false);
    addEventListener("resize", () => this.view.fit());
    document.addEventListener("visibilitychange", () => this.updateBlink());
    // For the browser test, which holds every text to the desktop's breaks and sizes.
    Object.assign(window, {
      tarvilonLayText: (/** @type {HTMLElement} */ el, /** @type {string} */ text) => this.typesetter.layText(el, text),
      tarvilonLayCaption: (/** @type {HTMLElement} */ el, /** @type {string} */ text) => this.typesetter.layCaption(el, text),
    });
    if ("serviceWorker" in navigator) {
      navigator.serviceWorker.register("sw.js").catch(() => {}); // offline play is a bonus
    }
  }

  // The numbers of the look, said once in the tables, for the style sheet.
  lookFromTables() {
    const tables = this.reading.tables;
    const root = document.documentElement.style;
    for (const [name, colour] of Object.entries(tables.colours)) root.setProperty(`--${name}`, colour);
    root.setProperty("--title-bar", `${tables.titleBarPx}px`);
    root.setProperty("--cell-border", `${tables.cellBorderPx}px`);
    root.setProperty("--cell-indent", `${tables.cellIndentPx}px`);
    root.setProperty("--font-size", `${tables.fonts.Default.points * POINTS_TO_PX}px`);
    const theme = document.createElement("meta"); // the browser's own bars in the windows' grey
    theme.name = "theme-color";
    theme.content = tables.colours.face;
    document.head.append(theme);
  }

  // The other languages outside the game's windows. The address keeps the choice, so that a
  // reload comes back in it; the run goes on in the new language.
  buildLanguages() {
    const nav = buildLanguages(this.languages, this.reading.language,
      (code) => addressWith("lang", code), (code) => this.chooseLanguage(code));
    const old = document.getElementById("languages");
    if (old) old.replaceWith(nav);
    else this.pageEl.append(nav);
  }

  // Another language: its catalog into the run, and the same run's windows built anew in it.
  // A catalog that cannot be fetched leaves the language as it was.
  /** @param {string} code */
  async chooseLanguage(code) {
    const mo = code === this.languages[0].code ? "" : await this.catalogs(code);
    if (mo === null) return;
    this.reading = read(this.session, code, mo);
    remember("lang", code);
    this.buildLanguages();
    this.labelViewSwitch();
    this.newRun(false);
  }

  /** @param {string} name */
  useView(name) {
    this.view.leave();
    this.view = name === "touch" ? this.touch : this.classic;
    this.view.enter();
    this.labelViewSwitch();
  }

  // The switch names the view it switches to; the address keeps the player's choice.
  switchView() {
    this.useView(this.view.name === "touch" ? "classic" : "touch");
    remember("view", this.view.name);
    this.view.arrange(this.screen);
    this.view.fit();
    this.drawer.forget(); // every text written anew, as the view sets it
    this.redraw();
  }

  labelViewSwitch() {
    const button = document.getElementById("view");
    const words = this.reading.words;
    if (button) button.textContent = this.view.name === "touch" ? words.classicView : words.touchView;
  }

  /**
   * A run's elements built and drawn: a new run, or the same run in another language.
   * @param {boolean} again
   * @returns {Screen}
   */
  newRun(again) {
    Object.assign(window, { tarvilonReady: false });
    if (again) this.session.newRun();
    this.clearTimers();
    this.screen?.bar.remove();
    this.screen = buildScreen(this.reading.tables, this.reading.words, {
      restore: () => {
        this.minimised = false;
        this.redraw();
        this.focus.restore();
      },
      newRun: () => this.newRun(true),
    });
    this.minimised = false;
    this.focus.reset();
    this.drawer.forget();
    this.screenEl.replaceChildren(...this.screen.windows.map((w) => w.el), this.screen.over);
    this.pageEl.append(this.screen.bar);
    this.view.arrange(this.screen);
    this.view.fit();
    if (this.session.splashTimerRunning()) {
      this.splashTimer = setTimeout(() => this.act(() => this.session.splashTick()),
        this.reading.tables.splashMs);
    }
    this.redraw();
    const screen = this.screen;
    requestAnimationFrame(() => setTimeout(() => { // after the frame is painted
      performance.mark("tarvilon-ready");
      Object.assign(window, { tarvilonReady: true });
      document.dispatchEvent(new Event("tarvilonready"));
      // No window that shows a picture is up yet: their files wait until the first frame is.
      for (const img of screen.pictures) img.src = img.dataset.src || "";
    }));
    return screen;
  }

  clearTimers() {
    clearTimeout(this.splashTimer);
    clearInterval(this.blinkTimer);
    this.blinkTimer = 0;
  }

  // One event handled to completion, then everything redrawn from the game's state.
  /** @param {() => void} action */
  act(action) {
    action();
    this.redraw();
  }

  /** @param {BuiltControl} c */
  click(c) {
    const clicked = this.session.click(c.window.index, c.row);
    if (clicked === "Minimise") {
      this.focus.minimise(this.screen, c.el);
      this.minimised = true;
      this.redraw();
      this.screen.bar.focus();
    } else if (clicked === "Played") {
      this.redraw();
    }
  }

  redraw() {
    /** @type {State} */
    const state = JSON.parse(this.session.state());
    if (state.ended) {
      this.clearTimers();
      this.drawer.end(this.screen);
      return;
    }
    const dialog = this.drawer.draw(this.screen, state, this.minimised);
    this.typesetter.measure();
    this.drawer.announce(this.focus.follow(this.screen, dialog));
    this.updateBlink();
  }

  // The about window's title blinks while it is on screen and the page can be seen; a tab in
  // the background or a closed window costs nothing.
  updateBlink() {
    const blinking = this.screen.blinking;
    const wanted = blinking && !blinking.el.hidden && !document.hidden;
    if (wanted && !this.blinkTimer) {
      this.blinkTimer = setInterval(() => {
        this.session.blinkTick();
        this.drawer.form(blinking, JSON.parse(this.session.formState(blinking.index)));
      }, this.reading.tables.blinkMs);
    } else if (!wanted && this.blinkTimer) {
      clearInterval(this.blinkTimer);
      this.blinkTimer = 0;
    }
  }
}
