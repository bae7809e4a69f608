// The page. It builds every window from the layout tables that the game's module gives,
// forwards each click and each edit of the input box to the module, and after each event
// redraws every control from the module's state. It holds no rule and no text of its own:
// captions, names, what each control shows and does, and the page's few words all come from
// the module; so do the numbers of the look (colours, sizes), as CSS custom properties.
//
// The language is the first of ?lang= and the browser's preferred languages that the site has
// a catalog for, else Russian, which needs none; only the chosen catalog is fetched. The page
// offers the others outside the game's windows, and switching keeps the run.
//
// Element ids are WINDOW.CONTROL as the tables name them; a window's id is its name. window.tarvilonReady turns true, and a "tarvilonready" event is
// sent to the document, once the first frame is drawn (and again after each new run).
// boot.js loads this script and the module, and calls start() with the module's factory.

const MARGIN = 8; // px of empty screen kept round the windows
const POINTS_TO_PX = 96 / 72;

const pageEl = document.getElementById("page");
const screenEl = document.getElementById("screen");
const params = new URLSearchParams(location.search);
const fixedScale = Math.max(0, Math.floor(Number(params.get("scale")) || 0));

let module;
let languages; // [{ code, name }], Russian first
let language; // the code of the one shown
let layout; // the tables, parsed once per language
let words; // the page's own words
let session; // the run
let ui; // the page's state for the current run: its elements and what it has drawn
let view; // "classic" or "touch": how the windows are arranged, for the page's whole life

export async function start(createTarvilon) {
  // The bundled faces before anything is laid out, so that captions are fitted in them.
  const faces = ["11px 'PT Sans'", "bold 11px 'PT Sans'"].map((f) => document.fonts.load(f));
  [module] = await Promise.all([createTarvilon(), ...faces]);
  languages = JSON.parse(module.Session.languages());
  session = new module.Session();
  await useLanguage(chosenLanguage());
  lookFromLayout();
  buildLanguages();
  view = chosenView();
  buildViewSwitch();
  showView();
  newRun(false);
  addEventListener("resize", fit);
  followKeyboard();
  document.addEventListener("visibilitychange", () => ui && updateBlink());
  watchModality();
  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").catch(() => {}); // offline play is a bonus
  }
}

// ---- Language --------------------------------------------------------------------------

// ?lang= where it names a language of the site, else the first of the browser's that does
// ("en-GB" finds "en"), else Russian.
function chosenLanguage() {
  const known = (tag) => {
    const lower = String(tag || "").toLowerCase();
    return languages.find((l) => l.code === lower || l.code === lower.split("-")[0]);
  };
  const forced = known(params.get("lang"));
  if (forced) return forced.code;
  for (const tag of navigator.languages || [navigator.language]) {
    const found = known(tag);
    if (found) return found.code;
  }
  return "ru";
}

// The catalog of a language into the run, and the tables and the page's words as they read
// in it. A catalog that cannot be fetched leaves the language as it was.
async function useLanguage(code) {
  let mo = "";
  if (code !== "ru") {
    try {
      const response = await fetch(`po/${code}.mo`);
      if (!response.ok) throw new Error(response.statusText);
      mo = new Uint8Array(await response.arrayBuffer());
    } catch {
      if (language) return;
      code = "ru";
    }
  }
  session.setCatalog(mo);
  language = code;
  layout = JSON.parse(session.layout());
  words = JSON.parse(session.page());
  document.title = words.title;
  document.documentElement.lang = code;
}

// The other languages, each by its own name, outside the game's windows. The address keeps
// the choice, so that a reload comes back in it.
function buildLanguages() {
  const nav = document.createElement("nav");
  nav.id = "languages";
  pageEl.append(nav);
  drawLanguages();
}

function drawLanguages() {
  const nav = document.getElementById("languages");
  nav.replaceChildren(...languages.filter((l) => l.code !== language).map((l) => {
    const link = document.createElement("a");
    link.id = `languages.${l.code}`;
    link.textContent = l.name;
    link.lang = l.code;
    link.hreflang = l.code;
    const address = new URL(location.href);
    address.searchParams.set("lang", l.code);
    link.href = address.search;
    link.addEventListener("click", (e) => {
      e.preventDefault();
      switchLanguage(l.code, link.href);
    });
    return link;
  }));
}

async function switchLanguage(code, address) {
  await useLanguage(code);
  if (language !== code) return;
  history.replaceState(history.state, "", address);
  drawLanguages();
  showView(); // the view switch's word, in the new language
  newRun(false); // the same run, its windows built anew in the new language
}

// ---- Building --------------------------------------------------------------------------

const px = (twips) => twips / layout.twipsPerPixel;
const id = (w, c) => `${w.name}.${c.name}`;

// The numbers of the look, said once in the tables, for the style sheet.
function lookFromLayout() {
  const root = document.documentElement.style;
  for (const [name, colour] of Object.entries(layout.colours)) root.setProperty(`--${name}`, colour);
  root.setProperty("--title-bar", `${layout.titleBarPx}px`);
  root.setProperty("--cell-border", `${layout.cellBorderPx}px`);
  root.setProperty("--cell-indent", `${layout.cellIndentPx}px`);
  root.setProperty("--font-size", `${layout.fonts.Default.points * POINTS_TO_PX}px`);
  const theme = document.createElement("meta"); // the browser's own bars in the windows' grey
  theme.name = "theme-color";
  theme.content = layout.colours.face;
  document.head.append(theme);
}

// A focus ring is for a player who moves with the keyboard: it shows after Tab and goes with
// the next press of a pointer, so that a dialogue opened by a click comes up without one.
function watchModality() {
  const root = document.documentElement;
  document.addEventListener("keydown", (e) => {
    if (e.key === "Tab") root.classList.add("keyboard");
  }, true);
  document.addEventListener("pointerdown", () => root.classList.remove("keyboard"), true);
}

function newRun(again) {
  window.tarvilonReady = false;
  if (again) session.newRun();
  if (ui) clearTimers();
  screenEl.replaceChildren();
  document.getElementById("minimised")?.remove();
  ui = {
    windows: [], // in the tables' order: { el, table, index, controls: [{ el, table, drawn }] }
    main: null, // the main window's entry
    blinking: null, // the window whose title a timer of its own redraws
    mainPos: null, // the main window's place on the screen, px at scale 1
    minimised: false,
    minimisedFrom: null, // the control that minimised the window, for the focus to return to
    shownDialog: null, // the secondary window now up, and where focus was before it
    focusBefore: null,
    splashTimer: 0,
    blinkTimer: 0,
    unmeasured: new Set(), // controls with new text not yet measured on screen
    origin: null, // the screen's top-left corner in the tables' pixels
    size: null, // the screen's size, px at scale 1
    mainSpan: null, // where the main window's middle is on the screen, and its further edge
    scale: 1,
    bar: null, // the bar a minimised main window leaves
    over: null, // what the page shows once the run has ended
  };
  measureScreen();
  layout.windows.forEach(buildWindow);
  buildBar();
  buildOver();
  arrange();
  fit();
  if (session.splashTimerRunning()) {
    ui.splashTimer = setTimeout(() => act(() => session.splashTick()), layout.splashMs);
  }
  redraw();
  const ready = () => {
    performance.mark("tarvilon-ready");
    window.tarvilonReady = true;
    document.dispatchEvent(new Event("tarvilonready"));
  };
  requestAnimationFrame(() => setTimeout(ready)); // after the frame is painted
}

function clearTimers() {
  clearTimeout(ui.splashTimer);
  clearInterval(ui.blinkTimer);
}

// The screen holds every window at its place relative to the others, cropped to their union.
function measureScreen() {
  let left = Infinity;
  let top = Infinity;
  let right = -Infinity;
  let bottom = -Infinity;
  for (const w of layout.windows) {
    const [x, y, width, height] = w.rect.map(px);
    const bar = w.title ? layout.titleBarPx : 0;
    left = Math.min(left, x);
    top = Math.min(top, y - bar);
    right = Math.max(right, x + width);
    bottom = Math.max(bottom, y + height);
  }
  ui.origin = { x: left - MARGIN, y: top - MARGIN };
  ui.size = { width: right - left + 2 * MARGIN, height: bottom - top + 2 * MARGIN };
  const [x, , width] = layout.windows.find((w) => w.main).rect.map(px);
  const middle = x + width / 2 - ui.origin.x;
  ui.mainSpan = { middle, half: Math.max(middle, ui.size.width - middle) };
  screenEl.style.width = `${ui.size.width}px`;
  screenEl.style.height = `${ui.size.height}px`;
}

// The whole screen scales to the viewport, up or down, or by ?scale=N.
function fit() {
  if (view === "touch") {
    fitTouch();
    return;
  }
  const viewport = document.documentElement;
  const viewWidth = viewport.clientWidth; // without the page's own scroll bars
  const viewHeight = viewport.clientHeight;
  let scale = fixedScale ||
    Math.min(viewWidth / ui.size.width, viewHeight / ui.size.height);
  // Where the width is what limits the scale (a phone held upright), the main window stands
  // centred: the screen is taken as wide as twice the main window's middle from its further
  // edge, so that every window still fits.
  const { middle, half } = ui.mainSpan;
  const centred = !fixedScale && viewWidth / ui.size.width < viewHeight / ui.size.height;
  if (centred) scale = Math.min(viewWidth / (2 * half), viewHeight / ui.size.height);
  ui.scale = scale;
  screenEl.style.transform = `scale(${scale})`;
  ui.bar.style.transform = `scale(${scale})`;
  // The page is the viewport, or the scaled screen where that is larger (the player scrolls
  // then). It clips, so that the screen's own unscaled box never widens a phone's viewport.
  const width = ui.size.width * scale;
  const height = ui.size.height * scale;
  pageEl.style.width = `${Math.max(viewWidth, width)}px`;
  pageEl.style.height = `${Math.max(viewHeight, height)}px`;
  // Whole pixels, so that a whole scale draws every line crisp.
  screenEl.style.left = `${Math.floor(centred ? viewWidth / 2 - middle * scale
    : Math.max(0, viewWidth - width) / 2)}px`;
  screenEl.style.top = `${Math.floor(Math.max(0, viewHeight - height) / 2)}px`;
}

function placeWindow(el, x, y) {
  el.style.left = `${x - ui.origin.x}px`;
  el.style.top = `${y - ui.origin.y}px`;
}

function buildWindow(w, index) {
  const isMain = w.main;
  const el = document.createElement("div");
  el.id = w.name;
  el.className = `window${isMain ? " main" : " dialog"}`;
  el.setAttribute("aria-label", w.accessible);
  if (isMain) {
    el.setAttribute("role", "region");
  } else {
    el.setAttribute("role", "dialog");
    el.setAttribute("aria-modal", "true");
    el.hidden = true;
  }
  const [x, y] = w.rect.map(px); // its size and place are the view's: arrange() gives them
  el.style.background = w.background;
  const entry = { el, table: w, index, controls: [] };
  ui.windows.push(entry);
  if (isMain) {
    ui.mainPos = { x, y };
    ui.main = entry;
  }
  if (w.controls.some((c) => c.blinks)) ui.blinking = entry;

  if (w.title) {
    el.classList.add("titled");
    el.append(buildTitleBar(el, w));
  }

  w.controls.forEach((c, i) => {
    entry.controls.push({ el: buildControl(entry, c, i), table: c, drawn: {} });
  });

  if (isMain) wireDrag(el);
  else el.addEventListener("keydown", (e) => dialogKey(e, entry));
  screenEl.append(el);
}

function setBox(el, [x, y, width, height]) {
  el.style.left = `${x}px`;
  el.style.top = `${y}px`;
  el.style.width = `${width}px`;
  el.style.height = `${height}px`;
}

// The document keeps the tables' reading order, so that the tab key and a screen reader go
// through a window as one reads it; a panel's controls go into the panel.
function inClassicOrder(entry) {
  for (const row of entry.table.reading) {
    const c = entry.controls[row];
    (c.table.panel === null ? entry.el : entry.controls[c.table.panel].el).append(c.el);
  }
}

// The about window's title bar: the caption, and a handle to move the window by.
function buildTitleBar(windowEl, w) {
  const bar = document.createElement("div");
  bar.className = "title-bar";
  bar.id = `${w.name}.title`;
  bar.textContent = w.title;
  bar.setAttribute("aria-hidden", "true"); // the dialogue's own name says it
  let anchor = null;
  bar.addEventListener("pointerdown", (e) => {
    if (e.button !== 0 || view !== "classic") return;
    anchor = { x: e.clientX, y: e.clientY, left: windowEl.offsetLeft, top: windowEl.offsetTop };
    bar.setPointerCapture(e.pointerId);
    e.preventDefault();
  });
  bar.addEventListener("pointermove", (e) => {
    if (!anchor || e.buttons !== 1) return;
    const [left, top] = clampToPage(
      Math.round(anchor.left + (e.clientX - anchor.x) / ui.scale),
      Math.round(anchor.top + (e.clientY - anchor.y) / ui.scale),
      windowEl.offsetWidth, windowEl.offsetHeight, layout.titleBarPx);
    windowEl.style.left = `${left}px`;
    windowEl.style.top = `${top}px`;
  });
  const drop = () => {
    anchor = null;
  };
  bar.addEventListener("pointerup", drop);
  bar.addEventListener("pointercancel", drop);
  return bar;
}

// What each kind of control becomes: the element, how its text is written, and how a screen
// reader is told what it is ("name": its accessible name; "alt": a picture's text;
// "description": a label whose name stays its text).
const KINDS = {
  Label: { make: () => document.createElement("div"), write: setText, told: "description" },
  Boxed: { make: () => document.createElement("div"), write: setText, told: "description" },
  Splash: { make: () => document.createElement("div"), write: setText, told: "description" },
  Verb: { make: makeClickable, write: setText, told: "name" },
  Click: { make: makeClickable, write: setText, told: "name" },
  Text: { make: makeTextBox, write: writeParagraphs, told: "name" },
  Input: { make: makeInput, write: writeInput, told: "name" },
  Button: { make: makeButton, write: writeMnemonic, told: "name" },
  Picture: { make: makePicture, write: () => {}, told: "alt" },
  Panel: { make: makePanel, write: () => {}, told: null },
};

function buildControl(w, c, index) {
  const kind = KINDS[c.kind];
  const el = kind.make(w, c, index);
  el.id = id(w.table, c);
  el.classList.add("control", c.kind.toLowerCase(), `font-${c.font.toLowerCase()}`,
    `align-${c.align.toLowerCase()}`);
  if (c.wrap) el.classList.add("wrap");
  // What it is, for the touch view's style sheet; its box, stacking and size are the view's,
  // which arrange() gives.
  el.dataset.shows = c.shows.what;
  el.dataset.does = c.does.what;
  if (c.does.what === "Press" && PROMINENT.includes(c.does.verb)) el.dataset.prominent = "";
  if (c.textColour) el.style.color = c.textColour;
  if (c.background) el.style.background = c.background;
  if (c.tooltip) el.title = c.tooltip;
  if (!c.visible) el.hidden = true;
  const font = layout.fonts[c.font];
  el.dataset.points = String(font.points);
  el.style.fontWeight = font.bold ? "bold" : "normal";
  describe(el, c, c.accessible);
  kind.write(el, c, c.caption);
  return el;
}

// A div rather than a textarea: it reads the same, scrolls the same, and a screen reader hears
// its changes where it is the live region.
function makeTextBox(w, c) {
  const el = document.createElement("div");
  el.setAttribute("role", "textbox");
  el.setAttribute("aria-readonly", "true");
  el.setAttribute("aria-multiline", "true");
  el.tabIndex = 0;
  if (!c.border) el.classList.add("borderless");
  if (c.live) el.setAttribute("aria-live", "polite");
  return el;
}

function makeInput(w, c, index) {
  const el = document.createElement("input");
  el.type = "text";
  el.autocomplete = "off";
  el.spellcheck = false;
  // A phone's keyboard must change nothing the player types: the rules match the word exactly.
  el.setAttribute("autocapitalize", "off");
  el.setAttribute("autocorrect", "off");
  el.enterKeyHint = "enter"; // a plain Enter key: it promises no action, and runs none
  // Typing only edits the word; the Enter key runs no verb.
  const typed = () => act(() => session.type(w.index, index, el.value));
  el.addEventListener("input", (e) => {
    if (!e.isComposing) typed();
  });
  el.addEventListener("compositionend", typed);
  return el;
}

function makeButton(w, c, index) {
  const el = document.createElement("button");
  el.type = "button";
  el.addEventListener("click", () => clickControl(w, index));
  return el;
}

function makePicture(w, c) {
  const el = document.createElement("img");
  el.src = `pictures/${c.picture}.svg`;
  el.draggable = false;
  return el;
}

function makePanel(w, c) {
  const el = document.createElement("div");
  if (c.tooltip) {
    el.setAttribute("role", "group");
    el.setAttribute("aria-label", c.tooltip);
  }
  return el;
}

function makeClickable(w, c, index) {
  const el = document.createElement("div");
  el.setAttribute("role", "button");
  el.tabIndex = 0;
  el.addEventListener("click", () => clickControl(w, index));
  // A label takes no focus from a pointer, as on the desktop: the keyboard stays with the
  // input box, so that the next word can be typed straight after a click on a verb.
  el.addEventListener("mousedown", (e) => e.preventDefault());
  // Space and Enter on the label are a click on it, as a button's are.
  el.addEventListener("keydown", (e) => {
    if (e.key === "Enter") {
      e.preventDefault();
      clickControl(w, index);
    } else if (e.key === " ") {
      e.preventDefault();
    }
  });
  el.addEventListener("keyup", (e) => {
    if (e.key === " ") clickControl(w, index);
  });
  return el;
}

// What a screen reader is told: a box's or picture's name, a cell's description.
function describe(el, c, accessible) {
  switch (KINDS[c.kind].told) {
    case "name":
      if (accessible) el.setAttribute("aria-label", accessible);
      else el.removeAttribute("aria-label");
      break;
    case "alt":
      el.alt = accessible;
      break;
    case "description":
      if (accessible) el.setAttribute("aria-description", accessible);
      else el.removeAttribute("aria-description");
      break;
    default:
  }
}

// A caption's "&" marks the next letter: it is underlined and is the button's access key.
function writeMnemonic(el, c, caption) {
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

// The bar a minimised main window leaves, which restores it. It stands at the foot of the
// browser's window, as a task bar does, at the screen's scale.
function buildBar() {
  const bar = document.createElement("button");
  bar.type = "button";
  bar.id = "minimised";
  bar.hidden = true;
  bar.title = words.restore;
  const skull = document.createElement("img");
  skull.src = "pictures/skull.svg";
  skull.alt = "";
  const name = document.createElement("span");
  name.textContent = words.title;
  bar.append(skull, name);
  bar.addEventListener("click", () => {
    ui.minimised = false;
    redraw();
    ui.minimisedFrom?.focus();
  });
  pageEl.append(bar);
  ui.bar = bar;
}

// What the page shows once the run has ended, with the way to a new one.
function buildOver() {
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
  again.addEventListener("click", () => newRun(true));
  over.append(message, again);
  screenEl.append(over);
  ui.over = over;
}

// ---- Views -----------------------------------------------------------------------------
// The classic view places every window where the desktop does, scaled to fit. The touch view,
// for a phone, arranges the same elements into one column and full-screen sheets with
// thumb-sized targets and readable text (touch.css): the main window's controls go into
// sections by what they show and do, never by their names. The device chooses (a coarse
// pointer on a narrow screen), ?view= forces either, and the switch outside the windows
// changes it in the middle of a run.

const VIEWS = ["classic", "touch"];
const NARROW_PX = 820; // a phone's or a small tablet's shorter side, either way up
const PROMINENT = ["LookAround", "Examine"]; // the verbs of a player's every turn
// The main window's sections in the touch view, top to bottom.
const SECTIONS = ["bar", "description", "response", "input", "prominent", "verbs", "slots", "cover"];
const coarse = () => matchMedia("(pointer: coarse)").matches;

function chosenView() {
  const asked = params.get("view");
  if (VIEWS.includes(asked)) return asked;
  return coarse() && Math.min(innerWidth, innerHeight) <= NARROW_PX ? "touch" : "classic";
}

// Offered where a finger plays, or where the player chose a view: a mouse on a desktop keeps
// the classic view with nothing added to it.
function buildViewSwitch() {
  const button = document.createElement("button");
  button.type = "button";
  button.id = "view";
  button.hidden = !coarse() && !params.has("view");
  button.addEventListener("click", () => {
    view = view === "touch" ? "classic" : "touch";
    const address = new URL(location.href);
    address.searchParams.set("view", view); // a reload keeps the player's choice
    history.replaceState(history.state, "", address);
    showView();
    arrange();
    fit();
    for (const w of ui.windows) for (const c of w.controls) c.drawn = {}; // written anew
    redraw();
  });
  document.body.append(button);
}

function showView() {
  const touch = view === "touch";
  document.documentElement.classList.toggle("touch", touch);
  document.getElementById("view").textContent = touch ? words.classicView : words.touchView;
  // Into a notch's corners only where the touch view keeps its controls clear of them.
  document.querySelector("meta[name=viewport]").content =
    `width=device-width, initial-scale=1${touch ? ", viewport-fit=cover" : ""}`;
}

// The run's elements in the view's places: the classic view's boxes from the tables and its
// reading order, or the touch view's sections, which touch.css lays out.
function arrange() {
  const touch = view === "touch";
  for (const w of ui.windows) {
    const count = w.controls.length;
    w.controls.forEach((c, i) => {
      const el = c.el;
      if (touch) {
        for (const p of ["left", "top", "width", "height", "zIndex", "fontSize"]) el.style[p] = "";
        el.style.setProperty("--table-width", `${px(c.table.rect[2])}px`); // a portrait's scale
      } else {
        // The table's size; a caption written anew is fitted again.
        setBox(el, c.table.rect.map(px));
        el.style.zIndex = String(count - i); // earlier rows cover later ones
        el.style.fontSize = `${Number(el.dataset.points) * POINTS_TO_PX}px`;
      }
    });
    if (touch) {
      for (const p of ["left", "top", "width", "height"]) w.el.style[p] = "";
    } else {
      const [x, y, width, height] = w.table.rect.map(px);
      w.el.style.width = `${width}px`;
      w.el.style.height = `${height}px`;
      if (w === ui.main) placeWindow(w.el, ui.mainPos.x, ui.mainPos.y);
      else placeWindow(w.el, x, y);
    }
    w.el.querySelectorAll(".section").forEach((section) => section.remove());
    if (touch && w === ui.main) inSections(w);
    else inClassicOrder(w);
  }
}

// The main window's controls into their sections: each by what it shows or does; a panel with
// what it holds; a caption with the control nearest to it in the tables, as the eye reads it.
// Within a section, what the player reads comes before what he taps.
function inSections(w) {
  const at = (c) => {
    const [x, y, width, height] = c.rect;
    const panel = c.panel === null ? [0, 0] : w.table.controls[c.panel].rect;
    return [x + panel[0] + width / 2, y + panel[1] + height / 2];
  };
  const placed = new Map();
  for (const c of w.controls) {
    const place = sectionOf(c.table);
    if (place) placed.set(c, place);
  }
  for (const c of w.controls) {
    if (c.table.panel !== null) placed.set(w.controls[c.table.panel], placed.get(c));
  }
  const candidates = [...placed].filter(([, place]) => place !== "cover");
  for (const c of w.controls) {
    if (placed.has(c) || c.table.panel !== null) continue;
    const [x, y] = at(c.table);
    const distance = ([other]) => Math.hypot(at(other.table)[0] - x, at(other.table)[1] - y);
    placed.set(c, candidates.reduce((a, b) => (distance(b) < distance(a) ? b : a))[1]);
  }
  const order = (a, b) => (a.table.does.what !== "Nothing") - (b.table.does.what !== "Nothing") ||
    a.table.rect[1] - b.table.rect[1] || a.table.rect[0] - b.table.rect[0];
  for (const name of SECTIONS) {
    const section = document.createElement("div");
    section.className = `section ${name}`;
    section.append(...w.controls.filter((c) => c.table.panel === null && placed.get(c) === name)
      .sort(order).map((c) => c.el));
    w.el.append(section);
  }
  for (const c of w.controls.filter((c) => c.table.panel !== null).sort(order)) {
    w.controls[c.table.panel].el.append(c.el);
  }
}

function sectionOf(c) {
  const { shows, does } = c;
  if (["Level", "Health"].includes(shows.what)) return "bar";
  if (["OpenAbout", "Minimise", "Exit"].includes(does.what)) return "bar";
  if (shows.what === "Description") return "description";
  if (shows.what === "Response") return "response";
  if (does.what === "Type") return "input";
  if (does.what === "Press") return PROMINENT.includes(does.verb) ? "prominent" : "verbs";
  if (shows.what === "Slot") return "slots";
  if (["Splash", "Intro"].includes(shows.what)) return "cover";
  return null;
}

// The touch view lays itself out: no scale, no place but the page's flow.
function fitTouch() {
  ui.scale = 1;
  for (const el of [screenEl, ui.bar]) el.style.transform = "";
  for (const p of ["left", "top", "width", "height"]) screenEl.style[p] = "";
  for (const p of ["width", "height"]) pageEl.style[p] = "";
}

// An on-screen keyboard shrinks the visual viewport: the input box, while it has the focus,
// is scrolled back above it.
function followKeyboard() {
  const viewport = window.visualViewport;
  if (!viewport) return;
  const keep = () => {
    const el = document.activeElement;
    if (view !== "touch" || !el || el.tagName !== "INPUT") return;
    const box = el.getBoundingClientRect();
    const top = viewport.offsetTop;
    const bottom = top + viewport.height;
    if (box.bottom > bottom) scrollBy(0, box.bottom - bottom + MARGIN);
    else if (box.top < top) scrollBy(0, box.top - top - MARGIN);
  };
  viewport.addEventListener("resize", keep);
  document.addEventListener("focusin", () => setTimeout(keep, 300)); // once the keyboard is up
}

// ---- Events ----------------------------------------------------------------------------

// One event handled to completion, then everything redrawn from the game's state.
function act(action) {
  action();
  redraw();
}

function clickControl(w, index) {
  const clicked = session.click(w.index, index);
  if (clicked === "Minimise") {
    ui.minimised = true; // the window system's business on the desktop; the page's here
    ui.minimisedFrom = w.controls[index].el;
    redraw();
    ui.bar.focus();
  } else if (clicked === "Played") {
    redraw();
  }
}

// Escape asks a dialogue to close, as the window system's close does on the desktop: only the
// ending window agrees, and takes it as its own last click.
function dialogKey(e, w) {
  if (e.key !== "Escape") return;
  e.preventDefault();
  act(() => session.requestClose(w.index));
}

// Dragging the main window's background: a press with any button sets the anchor, and moving
// with exactly the left button held moves the window by the pointer's offset from it. The
// press captures the pointer, as the desktop grabs the mouse for the window pressed on.
function wireDrag(el) {
  let anchor = { x: 0, y: 0 }; // twips, from the window's client area
  const local = (e) => {
    const box = el.getBoundingClientRect();
    return {
      x: ((e.clientX - box.left) / ui.scale) * layout.twipsPerPixel,
      y: ((e.clientY - box.top) / ui.scale) * layout.twipsPerPixel,
    };
  };
  el.addEventListener("pointerdown", (e) => {
    if (e.target !== el || view !== "classic") return; // a press on a control is the control's
    anchor = local(e);
    el.setPointerCapture(e.pointerId);
    e.preventDefault(); // no text selection, no focus change
  });
  el.addEventListener("pointermove", (e) => {
    if (!el.hasPointerCapture(e.pointerId) || e.buttons !== 1) return;
    const now = local(e);
    moveMain(Math.round((now.x - anchor.x) / layout.twipsPerPixel),
      Math.round((now.y - anchor.y) / layout.twipsPerPixel));
  });
  el.addEventListener("contextmenu", (e) => {
    if (e.target === el) e.preventDefault();
  });
}

// Moves the main window, keeping it within the page so that it can always be taken back.
function moveMain(dx, dy) {
  const w = ui.main;
  const [left, top] = clampToPage(ui.mainPos.x + dx - ui.origin.x,
    ui.mainPos.y + dy - ui.origin.y, w.el.offsetWidth, w.el.offsetHeight, 0);
  ui.mainPos = { x: left + ui.origin.x, y: top + ui.origin.y };
  placeWindow(w.el, ui.mainPos.x, ui.mainPos.y);
}

// A window's place on the screen element (pixels at scale 1) kept inside the page, with room
// above it for a title bar where it has one.
function clampToPage(left, top, width, height, titleBar) {
  const minLeft = -screenEl.offsetLeft / ui.scale;
  const minTop = -screenEl.offsetTop / ui.scale;
  const maxLeft = minLeft + pageEl.clientWidth / ui.scale - width;
  const maxTop = minTop + pageEl.clientHeight / ui.scale - height;
  const clamp = (v, lo, hi) => Math.min(Math.max(v, lo), Math.max(lo, hi));
  return [clamp(left, minLeft, maxLeft), clamp(top, minTop + titleBar, maxTop)];
}

// ---- Drawing ---------------------------------------------------------------------------

function redraw() {
  const state = JSON.parse(session.state());
  if (state.ended) {
    drawEnd();
    return;
  }
  let dialog = null;
  for (const w of ui.windows) {
    const form = state.forms[w.table.name];
    if (!form.created) continue;
    const isMain = w === ui.main;
    const shown = form.visible && !(isMain && ui.minimised);
    if (w.el.hidden === shown) w.el.hidden = !shown;
    if (isMain && w.el.inert === form.enabled) w.el.inert = !form.enabled;
    if (!isMain && shown) dialog = w;
    drawForm(w, form);
  }
  measure();
  if (ui.bar.hidden === ui.minimised) ui.bar.hidden = !ui.minimised;
  moveFocus(dialog);
  updateBlink();
}

// Touches only what changed since the last redraw, so that a click costs the page next to
// nothing beyond the controls it changes.
function drawForm(w, form) {
  for (const c of w.controls) {
    const shown = form.controls[c.table.name];
    if (!shown) continue;
    const drawn = c.drawn;
    if (drawn.text !== shown.text) {
      drawn.text = shown.text;
      KINDS[c.table.kind].write(c.el, c.table, shown.text);
    }
    if (drawn.visible !== shown.visible) {
      drawn.visible = shown.visible;
      c.el.hidden = !shown.visible;
    }
    const colour = shown.colour || c.table.textColour || "";
    if (drawn.colour !== colour) {
      drawn.colour = colour;
      c.el.style.color = colour;
    }
    if (drawn.accessible !== shown.accessible) {
      drawn.accessible = shown.accessible;
      describe(c.el, c.table, shown.accessible);
    }
  }
}

function writeInput(el, c, text) {
  if (el.value !== text && !isComposing(el)) el.value = text;
}

// What needs the page laid out: a caption's fit, and whether a text box has anything to scroll
// (with nothing, its scroll bar's thumb fills the groove). Only what is on screen can be
// measured; the rest waits until it is.
function measure() {
  for (const el of ui.unmeasured) {
    if (!el.getClientRects().length) continue;
    // The touch view's boxes wrap as the browser does, to their own width and face.
    if (view === "touch") {
      ui.unmeasured.delete(el);
      continue;
    }
    if (el.classList.contains("text")) {
      fitParagraphs(el);
      el.classList.toggle("unscrolled", el.scrollHeight <= el.clientHeight);
    } else {
      fitCaption(el);
    }
    ui.unmeasured.delete(el);
  }
}

const composing = new WeakSet();
document.addEventListener("compositionstart", (e) => composing.add(e.target));
document.addEventListener("compositionend", (e) => composing.delete(e.target));
const isComposing = (el) => composing.has(el);

// A text box's text, one block per line the game broke by hand (CR LF): the desktop's text
// box lays each such line out on its own and rounds its height up to a whole pixel, which
// fitParagraphs() copies once the box is on screen.
function writeParagraphs(el, c, text) {
  const blocks = text.split(/\r\n?|\n/).map((line) => {
    const block = document.createElement("div");
    block.dataset.line = line;
    if (line) block.textContent = line;
    else block.append(document.createElement("br"));
    return block;
  });
  el.replaceChildren(...(text ? blocks : []));
  el.scrollTop = 0; // new text is read from its start
  ui.unmeasured.add(el);
}

// Once the box is on screen: each block wraps where the desktop wraps it, and its height is a
// whole number of pixels.
function fitParagraphs(el) {
  const blocks = [...el.children];
  const style = getComputedStyle(el);
  const room = el.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const font = `${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
  for (const b of blocks) {
    if (!b.dataset.line) continue;
    // A break between the pieces, no character: the box's text stays the game's.
    const pieces = wrapLine(b.dataset.line, room, font);
    b.replaceChildren(...pieces.flatMap((p, i) => (i ? [document.createElement("br"), p] : [p])));
  }
  // All reads, then all writes: one layout, not one per block.
  const heights = blocks.map((b) => b.getBoundingClientRect().height / ui.scale);
  blocks.forEach((b, i) => {
    b.style.height = `${Math.ceil(heights[i] - 0.01)}px`;
  });
}

// Where the desktop's text box wraps a line: at a blank, as soon as the words so far and the
// next one would pass the room, counting the whole pixel that some letters' ink (т, у, г..)
// stands past their advance. The desktop adds up each letter's advance in 64ths of a pixel,
// rounded down, and sets no kerning; the page measures the same way and wraps by the same
// rule, so that both editions break alike. The pieces keep their blanks, as the desktop's
// lines do.
const measurer = document.createElement("canvas").getContext("2d");
const letters = new Map(); // font -> letter -> [advance, overhang]
function letter(font, ch) {
  let known = letters.get(font);
  if (!known) letters.set(font, (known = new Map()));
  let metrics = known.get(ch);
  if (!metrics) {
    const m = measurer.measureText(ch);
    const advance = Math.floor(m.width * 64) / 64;
    metrics = [advance, Math.max(0, -Math.round(advance - m.actualBoundingBoxRight))];
    known.set(ch, metrics);
  }
  return metrics;
}
// For the browser test, which holds every text to the desktop's breaks: lays TEXT out in EL,
// a box of the page's, as the page lays out a text box.
window.tarvilonLayText = (el, text) => {
  writeParagraphs(el, null, text);
  ui.unmeasured.delete(el);
  fitParagraphs(el);
};
// And a caption, as the page writes and fits a label.
window.tarvilonLayCaption = (el, text) => {
  setText(el, null, text);
  ui.unmeasured.delete(el);
  fitCaption(el);
};
function wrapLine(line, room, font) {
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

// A label's caption; measure() fits it to its box.
function setText(el, c, text) {
  el.textContent = text;
  if (c?.wrap || c?.kind === "Splash" || !text || view === "touch") return;
  el.style.fontSize = `${Number(el.dataset.points) * POINTS_TO_PX}px`;
  ui.unmeasured.add(el);
}

// A one-line caption too long for its box takes the largest size below the table's at which
// it fits, as on the desktop.
// The room is the box less its padding and border: where the text is really drawn.
function fitCaption(el) {
  let points = Number(el.dataset.points);
  const style = getComputedStyle(el);
  const room = el.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const needed = () => {
    const range = document.createRange();
    range.selectNodeContents(el);
    return range.getBoundingClientRect().width / ui.scale;
  };
  while (needed() > room && points - layout.fitStep >= layout.fitSmallest) {
    points -= layout.fitStep;
    el.style.fontSize = `${points * POINTS_TO_PX}px`;
  }
}

// Focus follows the windows as it does on the desktop: into a dialogue when it comes up (or
// when what had the focus in it has gone, a card the turn took away), and back to where it was
// in the main window when the dialogue goes.
function moveFocus(dialog) {
  if (dialog) {
    const el = dialog.el;
    if (dialog !== ui.shownDialog && !ui.shownDialog) ui.focusBefore = document.activeElement;
    if (dialog !== ui.shownDialog || !el.contains(document.activeElement)) {
      const first = [...el.querySelectorAll("[tabindex='0'], button")]
        .find((c) => c.getClientRects().length > 0);
      (first || el).focus();
    }
  } else if (ui.shownDialog && ui.focusBefore && document.contains(ui.focusBefore)) {
    ui.focusBefore.focus();
    ui.focusBefore = null;
  }
  ui.shownDialog = dialog;
}

// The about window's title blinks while it is on screen and the page can be seen; a tab in
// the background or a closed window costs nothing.
function updateBlink() {
  const wanted = ui.blinking && !ui.blinking.el.hidden && !document.hidden;
  if (wanted && !ui.blinkTimer) {
    ui.blinkTimer = setInterval(blink, layout.blinkMs);
  } else if (!wanted && ui.blinkTimer) {
    clearInterval(ui.blinkTimer);
    ui.blinkTimer = 0;
  }
}

function blink() {
  session.blinkTick();
  drawForm(ui.blinking, JSON.parse(session.formState(ui.blinking.index)));
}

function drawEnd() {
  clearTimers();
  ui.blinkTimer = 0;
  for (const w of ui.windows) w.el.hidden = true;
  ui.bar.hidden = true;
  if (ui.over.hidden) {
    ui.over.hidden = false;
    ui.over.querySelector("button").focus();
  }
}
