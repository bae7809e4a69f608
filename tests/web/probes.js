// What the browser tests read and do inside the page, one named function each, returning plain
// data or a promise of it. browser.Page.probe(name, ...args) calls one; the file goes into each
// document before the page's own scripts where the browser lets a test do that, else at the
// first call.
"use strict";

window.__probes = {
  /** Records errors, content-policy violations, and when the splash comes and goes. */
  watch() {
    if (window.__test) return;
    const test = (window.__test = { errors: [], violations: [] });
    addEventListener("error", (e) => test.errors.push(String(e.message)));
    addEventListener("unhandledrejection", (e) => test.errors.push(String(e.reason)));
    addEventListener("securitypolicyviolation",
      (e) => test.violations.push(`${e.violatedDirective} ${e.blockedURI} ${e.sourceFile}:${e.lineNumber}`));
    const watch = new MutationObserver(() => {
      const splash = document.querySelector(".control.splash");
      if (!splash) return;
      const on = splash.getClientRects().length > 0;
      if (on && test.splashShown === undefined) {
        test.splashShown = performance.now();
        test.splashId = splash.id;
      } else if (!on && test.splashShown !== undefined) {
        test.splashGone = performance.now();
        watch.disconnect();
      }
    });
    watch.observe(document, { subtree: true, childList: true, attributes: true, attributeFilter: ["hidden"] });
  },

  /** [errors, content-policy violations] recorded since the document began. */
  problems: () => [__test.errors, __test.violations],

  /** When the splash came and went, once it has gone; else false. */
  splash: () => __test.splashGone !== undefined && __test,

  /** What every element shows: its text (an input's value), whether it is on screen, whether
   * it sits in an inert window, and its box in viewport pixels. Ids are WINDOW.CONTROL. */
  snapshot() {
    const out = {};
    for (const el of document.querySelectorAll("body [id]")) {
      const r = el.getBoundingClientRect();
      out[el.id] = {
        text: el.tagName === "INPUT" ? el.value : el.textContent,
        shown: el.getClientRects().length > 0,
        inert: el.closest("[inert]") !== null,
        rect: [r.left, r.top, r.width, r.height],
      };
    }
    return out;
  },

  /** The layout tables and the page's own settings, as JSON, from the module the page itself
   * loads, in the language the page is shown in; or why the module did not load. */
  tables() {
    const lang = document.documentElement.lang;
    const mo = lang === "ru" ? Promise.resolve("")
      : fetch(`po/${lang}.mo`).then((r) => r.arrayBuffer()).then((b) => new Uint8Array(b));
    return Promise.all([import("./tarvilon.js").then((m) => m.default()), mo]).then(([module, bytes]) => {
      const session = new module.Session();
      session.setCatalog(bytes);
      return [session.layout(), session.page()];
    }).catch((e) => String(e));
  },

  /** Resolves once two frames have been drawn: whatever a change restyles is on screen. */
  frames: () => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done(true)))),

  /** As frames, once the fonts are in: for a screenshot. */
  drawn: () => document.fonts.ready.then(() => __probes.frames()),

  /** The element scrolled into view as a player scrolls to it; its box then. */
  scrolledTo(id) {
    const el = document.getElementById(id);
    el.scrollIntoView({ block: "nearest" });
    const r = el.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height];
  },

  ready: () => window.tarvilonReady === true,
  lang: () => document.documentElement.lang,
  touchView: () => document.documentElement.classList.contains("touch"),
  focused: () => document.activeElement.id,
  /** [the focused element's outline style, its id] */
  ring: () => [getComputedStyle(document.activeElement).outlineStyle, document.activeElement.id],
  policy: () => document.querySelector("meta[http-equiv=Content-Security-Policy]")?.content,

  /** [the element ids of a window that Tab visits, in the order it visits them (positive
   * tabindex first, then the document's order: what is shown, enabled and not inert), the
   * focused element's id, and where the focus stands among them]: its index, or where it is
   * none of them (a control hidden under it), the index of the first that follows it in the
   * document, less a half: where Tab and Shift+Tab start from. With nothing focused they start
   * where the element last focused (lastId) stands, as the browser keeps that place. */
  tabOrder(window, lastId) {
    const visited = [...document.getElementById(window).querySelectorAll("[id]")].filter((el) =>
      el.tabIndex >= 0 && !el.disabled && el.getClientRects().length && !el.closest("[inert]"))
      .sort((a, b) => (a.tabIndex || Infinity) - (b.tabIndex || Infinity));
    const focused = document.activeElement;
    const focus = focused === document.body && document.getElementById(lastId) || focused;
    let at = visited.indexOf(focus);
    if (at < 0) {
      const next = visited.findIndex((el) => focus.compareDocumentPosition(el) & Node.DOCUMENT_POSITION_FOLLOWING);
      at = (next < 0 ? visited.length : next) - 0.5;
    }
    return [visited.map((el) => el.id), focused.id, at];
  },

  /** A point of the window's own face, where a press hits no control: where a drag starts. */
  dragPoint(id) {
    const w = document.getElementById(id);
    const r = w.getBoundingClientRect();
    for (let y = r.top + 3; y < r.bottom; y += 2)
      for (let x = r.left + 3; x < r.right; x += 2) if (document.elementFromPoint(x, y) === w) return [x, y];
    return null;
  },

  /** Lays the text out in a hidden copy of the box, as the page lays out a text box, and gives
   * each hand-broken line back with "|" where the page wrapped it and "¦" where the browser
   * wrapped it again ("~" for an empty line), read off where each letter stands. */
  lines(id, text) {
    const box = document.getElementById(id).cloneNode(false);
    box.id = "";
    box.hidden = false;
    box.style.visibility = "hidden";
    document.querySelector(".window.main").append(box);
    tarvilonLayText(box, text);
    const range = document.createRange();
    const out = [...box.children].map((block) => {
      const texts = [...block.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE);
      if (!texts.length) return "~";
      let top = null, line = "";
      for (const text of texts) {
        for (let i = 0; i < text.length; i++) {
          range.setStart(text, i);
          range.setEnd(text, i + 1);
          const rects = [...range.getClientRects()].filter((r) => r.width > 0);
          const at = rects.length ? rects[0].top : top;
          // "|" where the page broke the line, between its pieces; "¦" where the browser did.
          if (top !== null && at > top + 1) line += i ? "¦" : "|";
          if (at !== null) top = at;
          line += text.data[i];
        }
      }
      return line;
    });
    box.remove();
    return out;
  },

  /** Lays TEXT out in the box itself and gives back what a player copies of it, all of it
   * selected. */
  copied(id, text) {
    const box = document.getElementById(id);
    tarvilonLayText(box, text);
    const selection = getSelection();
    selection.selectAllChildren(box);
    const copied = selection.toString();
    selection.removeAllRanges();
    return copied;
  },

  /** The first healths from -1000 to 100 that do not fit the health cell, written and fitted
   * as the page writes the cell, in a copy of it. */
  healths(id) {
    const cell = document.getElementById(id).cloneNode(false);
    cell.id = "";
    document.getElementById(id).after(cell);
    const cut = [];
    for (let health = -1000; health <= 100; ++health) {
      tarvilonLayCaption(cell, String(health));
      const style = getComputedStyle(cell);
      const room = cell.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
      const range = document.createRange();
      range.selectNodeContents(cell);
      if (range.getBoundingClientRect().width > room + 0.01) cut.push(health);
    }
    cell.remove();
    return cut.slice(0, 5);
  },

  /** In the touch view: [what a finger can tap that is smaller than a thumb, what text is set
   * smaller than a phone's body text], among what is on screen and takes input. */
  tooSmall(thumb, readable) {
    const shown = (el) => el.getClientRects().length > 0 && !el.closest("[inert]");
    const small = [];
    for (const el of document.querySelectorAll(
      ".control.verb, .control.click, .control.button, .control.input, #view, #minimised, #over button")) {
      const r = el.getBoundingClientRect();
      if (shown(el) && (r.width < thumb || r.height < thumb)) small.push(`${el.id} ${r.width.toFixed(0)}x${r.height.toFixed(0)}`);
    }
    const tiny = [];
    const texts = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    while (texts.nextNode()) {
      const el = texts.currentNode.parentElement;
      const size = parseFloat(getComputedStyle(el).fontSize);
      if (texts.currentNode.data.trim() && shown(el) && size < readable) tiny.push(`${el.closest("[id]").id} ${size}px`);
    }
    return [small, tiny];
  },

  /** Whatever on screen is wider than its box: the page wider than the screen, a window, a
   * section or a text box that would hide a word. */
  wider: () => [document.documentElement, ...document.querySelectorAll(".window, .section, .control")]
    .filter((el) => el.getClientRects().length && el.scrollWidth > el.clientWidth + 1)
    .map((el) => `${el.id || el.className} ${el.scrollWidth} > ${el.clientWidth}`),

  /** The input box has the focus and stands within what the visual viewport shows. */
  inputShown(id) {
    const box = document.getElementById(id).getBoundingClientRect();
    const v = visualViewport;
    return document.activeElement.id === id && box.top >= v.offsetTop - 1 && box.bottom <= v.offsetTop + v.height + 1;
  },

  /** Whether a service worker is ready within ms. */
  workerReady: (ms) => Promise.race([
    navigator.serviceWorker.ready.then(() => true),
    new Promise((done) => setTimeout(() => done(false), ms))]),

  /** Resolves once a service worker controls the page. */
  controlled: () => navigator.serviceWorker.ready.then(function controlled() {
    return navigator.serviceWorker.controller ? true : new Promise((done) => setTimeout(done, 20)).then(controlled);
  }),

  servedByWorker: () => performance.getEntriesByType("navigation")[0].workerStart > 0,

  /** [the build of the page, the build of its style, errors, violations]: "a" where the page
   * carries no mark of build b. */
  build: () => [document.querySelector("meta[name=build]")?.content || "a",
    getComputedStyle(document.documentElement).getPropertyValue("--build").trim() || "a",
    __test.errors, __test.violations],

  /** [the page's word named so, its word for retry], as its HTML gives them. */
  faultWords(word) {
    const w = (name) => document.querySelector(`#words [data-word=${name}]`).textContent;
    return [w(word), w("retry")];
  },

  /** Marks this load of the page; sameLoad tells whether the mark is still there. */
  markLoad: () => (window.__sameLoad = true),
  sameLoad: () => [window.__sameLoad === true, document.getElementById("fault.message").textContent],
};
