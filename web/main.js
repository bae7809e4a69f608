// The page. It builds every window from the layout tables that the game's module gives,
// forwards each click and each edit of the input box to the module, and after each event
// redraws every control from the module's state. It holds no rule and no text of its own:
// captions, names and the page's few words all come from the module.
//
// Element ids are FORM.CONTROL ("Form1.Label5", "info.Command1"); a window's id is its form's
// name ("Form1", "lesnik"). window.tarvilonReady turns true, and a "tarvilonready" event is
// sent to the document, once the first frame is drawn (and again after each new run).
// boot.js loads this script and the module, and calls start() with the module's factory.

const MARGIN = 8; // px of empty screen kept round the windows
const TITLE_BAR = 18; // px: the about window's title bar, which the page draws
const POINTS_TO_PX = 96 / 72;
const FIT_STEP = 0.25; // pt: a caption too long for its box shrinks by this much at a time
const FIT_SMALLEST = 6; // pt

const pageEl = document.getElementById("page");
const screenEl = document.getElementById("screen");
const params = new URLSearchParams(location.search);
const fixedScale = Math.max(0, Math.floor(Number(params.get("scale")) || 0));

let module;
let layout; // the tables, parsed once
let page; // the page's own words and which controls it treats itself
let session; // the run
let view; // the elements of the current run

export async function start(createTarvilon) {
  // The bundled faces before anything is laid out, so that captions are fitted in them.
  const faces = ["11px 'PT Sans'", "bold 11px 'PT Sans'"].map((f) => document.fonts.load(f));
  [module] = await Promise.all([createTarvilon(), ...faces]);
  layout = JSON.parse(module.Session.layout());
  page = JSON.parse(module.Session.page());
  document.title = page.title;
  session = new module.Session();
  newRun(false);
  addEventListener("resize", fit);
  document.addEventListener("visibilitychange", () => view && updateBlink());
  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").catch(() => {}); // offline play is a bonus
  }
}

// ---- Building --------------------------------------------------------------------------

const px = (twips) => twips / layout.twipsPerPixel;
const id = (form, control) => `${form}.${control}`;

function newRun(again) {
  window.tarvilonReady = false;
  if (again) session.newRun();
  if (view) clearTimers();
  screenEl.replaceChildren();
  document.getElementById("minimised")?.remove();
  view = {
    windows: new Map(), // form name -> { el, table, controls: Map name -> { el, table } }
    mainPos: null, // the main window's place on the screen, px at scale 1
    minimised: false,
    shownDialog: null, // the secondary window now up, and where focus was before it
    focusBefore: null,
    splashTimer: 0,
    blinkTimer: 0,
    unmeasured: new Set(), // controls with new text not yet measured on screen
  };
  measureScreen();
  for (const w of layout.windows) buildWindow(w);
  buildBar();
  buildOver();
  fit();
  if (session.splashTimerRunning()) {
    view.splashTimer = setTimeout(() => act(() => session.splashTick()), layout.splashMs);
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
  clearTimeout(view.splashTimer);
  clearInterval(view.blinkTimer);
}

// The screen holds every window at its place relative to the others, cropped to their union.
function measureScreen() {
  let left = Infinity;
  let top = Infinity;
  let right = -Infinity;
  let bottom = -Infinity;
  for (const w of layout.windows) {
    const [x, y, width, height] = w.rect.map(px);
    const bar = w.title ? TITLE_BAR : 0;
    left = Math.min(left, x);
    top = Math.min(top, y - bar);
    right = Math.max(right, x + width);
    bottom = Math.max(bottom, y + height);
  }
  view.origin = { x: left - MARGIN, y: top - MARGIN };
  view.size = { width: right - left + 2 * MARGIN, height: bottom - top + 2 * MARGIN };
  screenEl.style.width = `${view.size.width}px`;
  screenEl.style.height = `${view.size.height}px`;
}

// The whole screen scales to the viewport, up or down, or by ?scale=N.
function fit() {
  const viewport = document.documentElement;
  const viewWidth = viewport.clientWidth; // without the page's own scroll bars
  const viewHeight = viewport.clientHeight;
  const scale = fixedScale ||
    Math.min(viewWidth / view.size.width, viewHeight / view.size.height);
  view.scale = scale;
  screenEl.style.transform = `scale(${scale})`;
  view.bar.style.transform = `scale(${scale})`;
  // The page is the viewport, or the scaled screen where that is larger (the player scrolls
  // then). It clips, so that the screen's own unscaled box never widens a phone's viewport.
  const width = view.size.width * scale;
  const height = view.size.height * scale;
  pageEl.style.width = `${Math.max(viewWidth, width)}px`;
  pageEl.style.height = `${Math.max(viewHeight, height)}px`;
  // Whole pixels, so that a whole scale draws every line crisp.
  screenEl.style.left = `${Math.floor(Math.max(0, viewWidth - width) / 2)}px`;
  screenEl.style.top = `${Math.floor(Math.max(0, viewHeight - height) / 2)}px`;
}

function placeWindow(el, x, y) {
  el.style.left = `${x - view.origin.x}px`;
  el.style.top = `${y - view.origin.y}px`;
}

function buildWindow(w) {
  const isMain = w.name === page.main;
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
  const [x, y, width, height] = w.rect.map(px);
  el.style.width = `${width}px`;
  el.style.height = `${height}px`;
  el.style.background = w.background;
  placeWindow(el, x, y);
  if (isMain) view.mainPos = { x, y };
  const entry = { el, table: w, controls: new Map() };
  view.windows.set(w.name, entry);

  if (w.title) {
    el.classList.add("titled");
    el.append(buildTitleBar(el, w));
  }

  // Earlier rows cover later ones; the document keeps reading order (top to bottom, then
  // left to right) so that the tab key and a screen reader go through a window as one reads.
  const count = w.controls.length;
  w.controls.forEach((c, i) => {
    const control = buildControl(w, c);
    control.style.zIndex = String(count - i);
    entry.controls.set(c.name, { el: control, table: c });
  });
  const order = (a, b) => a.table.rect[1] - b.table.rect[1] || a.table.rect[0] - b.table.rect[0];
  const all = [...entry.controls.values()];
  for (const c of all.filter((c) => !c.table.panel).sort(order)) el.append(c.el);
  for (const c of all.filter((c) => c.table.panel).sort(order)) {
    entry.controls.get(c.table.panel).el.append(c.el);
  }

  if (isMain) wireDrag(el);
  else el.addEventListener("keydown", (e) => dialogKey(e, w.name));
  screenEl.append(el);
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
    if (e.button !== 0) return;
    anchor = { x: e.clientX, y: e.clientY, left: windowEl.offsetLeft, top: windowEl.offsetTop };
    bar.setPointerCapture(e.pointerId);
    e.preventDefault();
  });
  bar.addEventListener("pointermove", (e) => {
    if (!anchor || e.buttons !== 1) return;
    const [left, top] = clampToPage(
      Math.round(anchor.left + (e.clientX - anchor.x) / view.scale),
      Math.round(anchor.top + (e.clientY - anchor.y) / view.scale),
      windowEl.offsetWidth, windowEl.offsetHeight, TITLE_BAR);
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

function buildControl(w, c) {
  const [x, y, width, height] = c.rect.map(px);
  let el;
  switch (c.kind) {
    case "Text":
      // A div rather than a textarea: it reads the same, scrolls the same, and a screen
      // reader hears its changes where it is a live region.
      el = document.createElement("div");
      el.setAttribute("role", "textbox");
      el.setAttribute("aria-readonly", "true");
      el.setAttribute("aria-multiline", "true");
      el.tabIndex = 0;
      if (!c.border) el.classList.add("borderless");
      if (page.live[0] === w.name && page.live[1] === c.name) {
        el.setAttribute("aria-live", "polite");
      }
      break;
    case "Input":
      el = document.createElement("input");
      el.type = "text";
      el.autocomplete = "off";
      el.spellcheck = false;
      el.setAttribute("autocapitalize", "off");
      // Typing only edits the word; the Enter key runs no verb.
      el.addEventListener("input", (e) => {
        if (!e.isComposing) act(() => session.type(el.value));
      });
      el.addEventListener("compositionend", () => act(() => session.type(el.value)));
      break;
    case "Button":
      el = document.createElement("button");
      el.type = "button";
      writeMnemonic(el, c.caption);
      el.addEventListener("click", () => clickControl(w.name, c.name));
      break;
    case "Picture":
      el = document.createElement("img");
      el.src = `pictures/${c.picture}.svg`;
      el.alt = c.accessible;
      el.draggable = false;
      break;
    case "Panel":
      el = document.createElement("div");
      if (c.tooltip) {
        el.setAttribute("role", "group");
        el.setAttribute("aria-label", c.tooltip);
      }
      break;
    case "Verb":
    case "Click":
      el = document.createElement("div");
      el.setAttribute("role", "button");
      el.tabIndex = 0;
      el.addEventListener("click", () => clickControl(w.name, c.name));
      // A label takes no focus from a pointer, as on the desktop: the keyboard stays with the
      // input box, so that the next word can be typed straight after a click on a verb.
      el.addEventListener("mousedown", (e) => e.preventDefault());
      // Space and Enter on the label are a click on it, as a button's are.
      el.addEventListener("keydown", (e) => {
        if (e.key === "Enter") {
          e.preventDefault();
          clickControl(w.name, c.name);
        } else if (e.key === " ") {
          e.preventDefault();
        }
      });
      el.addEventListener("keyup", (e) => {
        if (e.key === " ") clickControl(w.name, c.name);
      });
      break;
    default: // Label, Boxed, Splash
      el = document.createElement("div");
  }
  el.id = id(w.name, c.name);
  el.classList.add("control", c.kind.toLowerCase(), `font-${c.font.toLowerCase()}`,
    `align-${c.align.toLowerCase()}`);
  if (c.wrap) el.classList.add("wrap");
  el.style.left = `${x}px`;
  el.style.top = `${y}px`;
  el.style.width = `${width}px`;
  el.style.height = `${height}px`;
  if (c.text) el.style.color = c.text;
  if (c.background) el.style.background = c.background;
  if (c.tooltip) el.title = c.tooltip;
  if (!c.visible) el.hidden = true;
  const font = layout.fonts[c.font];
  el.dataset.points = String(font.points);
  el.style.fontSize = `${font.points * POINTS_TO_PX}px`;
  el.style.fontWeight = font.bold ? "bold" : "normal";
  describe(el, c, c.accessible);
  if (c.kind !== "Button" && c.kind !== "Input" && c.kind !== "Text") {
    setText(el, c, c.caption);
  }
  return el;
}

// What a screen reader is told: a box's or picture's name, a cell's description.
function describe(el, c, accessible) {
  switch (c.kind) {
    case "Text":
    case "Input":
    case "Verb":
    case "Click":
    case "Button":
      if (accessible) el.setAttribute("aria-label", accessible);
      else el.removeAttribute("aria-label");
      break;
    case "Picture":
      el.alt = accessible;
      break;
    case "Panel":
      break;
    default:
      if (accessible) el.setAttribute("aria-description", accessible);
      else el.removeAttribute("aria-description");
  }
}

// A caption's "&" marks the next letter: it is underlined and is the button's access key.
function writeMnemonic(el, caption) {
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
  bar.title = page.restore;
  const skull = document.createElement("img");
  skull.src = "pictures/skull.svg";
  skull.alt = "";
  const name = document.createElement("span");
  name.textContent = page.title;
  bar.append(skull, name);
  bar.addEventListener("click", () => {
    view.minimised = false;
    redraw();
    document.getElementById(id(page.minimise[0], page.minimise[1]))?.focus();
  });
  pageEl.append(bar);
  view.bar = bar;
}

// What the page shows once the run has ended, with the way to a new one.
function buildOver() {
  const over = document.createElement("div");
  over.id = "over";
  over.hidden = true;
  const message = document.createElement("p");
  message.id = "over.message";
  message.setAttribute("role", "status");
  message.textContent = page.gameOver;
  const again = document.createElement("button");
  again.type = "button";
  again.id = "over.newRun";
  again.textContent = page.newRun;
  again.setAttribute("aria-describedby", message.id); // heard when it takes the focus
  again.addEventListener("click", () => newRun(true));
  over.append(message, again);
  screenEl.append(over);
  view.over = over;
}

// ---- Events ----------------------------------------------------------------------------

// One event handled to completion, then everything redrawn from the game's state.
function act(action) {
  action();
  redraw();
}

function clickControl(form, control) {
  if (form === page.minimise[0] && control === page.minimise[1]) {
    view.minimised = true; // the window system's business on the desktop; the page's here
    redraw();
    view.bar.focus();
    return;
  }
  act(() => session.click(form, control));
}

// Escape asks a dialogue to close, as the window system's close does on the desktop: only the
// ending window agrees, and takes it as its own last click.
function dialogKey(e, form) {
  if (e.key !== "Escape") return;
  e.preventDefault();
  act(() => session.requestClose(form));
}

// Dragging the main window's background: a press with any button sets the anchor, and moving
// with exactly the left button held moves the window by the pointer's offset from it. The
// press captures the pointer, as the desktop grabs the mouse for the window pressed on.
function wireDrag(el) {
  let anchor = { x: 0, y: 0 }; // twips, from the window's client area
  const local = (e) => {
    const box = el.getBoundingClientRect();
    return {
      x: ((e.clientX - box.left) / view.scale) * layout.twipsPerPixel,
      y: ((e.clientY - box.top) / view.scale) * layout.twipsPerPixel,
    };
  };
  el.addEventListener("pointerdown", (e) => {
    if (e.target !== el) return; // a press on a control is the control's
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
  const w = view.windows.get(page.main);
  const [left, top] = clampToPage(view.mainPos.x + dx - view.origin.x,
    view.mainPos.y + dy - view.origin.y, w.el.offsetWidth, w.el.offsetHeight, 0);
  view.mainPos = { x: left + view.origin.x, y: top + view.origin.y };
  placeWindow(w.el, view.mainPos.x, view.mainPos.y);
}

// A window's place on the screen element (pixels at scale 1) kept inside the page, with room
// above it for a title bar where it has one.
function clampToPage(left, top, width, height, titleBar) {
  const minLeft = -screenEl.offsetLeft / view.scale;
  const minTop = -screenEl.offsetTop / view.scale;
  const maxLeft = minLeft + pageEl.clientWidth / view.scale - width;
  const maxTop = minTop + pageEl.clientHeight / view.scale - height;
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
  for (const [name, w] of view.windows) {
    const form = state.forms[name];
    if (!form.created) continue;
    const isMain = name === page.main;
    const shown = form.visible && !(isMain && view.minimised);
    if (w.el.hidden === shown) w.el.hidden = !shown;
    if (isMain && w.el.inert === form.enabled) w.el.inert = !form.enabled;
    if (!isMain && shown) dialog = name;
    drawForm(w, form);
  }
  measure();
  if (view.bar.hidden === view.minimised) view.bar.hidden = !view.minimised;
  moveFocus(dialog);
  updateBlink();
}

// Touches only what changed since the last redraw, so that a click costs the page next to
// nothing beyond the controls it changes.
function drawForm(w, form) {
  for (const [name, c] of w.controls) {
    const shown = form.controls[name];
    if (!shown) continue;
    const drawn = c.drawn || (c.drawn = {});
    if (drawn.text !== shown.text) {
      drawn.text = shown.text;
      writeText(c.el, c.table, shown.text);
    }
    if (drawn.visible !== shown.visible) {
      drawn.visible = shown.visible;
      c.el.hidden = !shown.visible;
    }
    const colour = shown.colour || c.table.text || "";
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

function writeText(el, c, text) {
  switch (c.kind) {
    case "Text":
      writeParagraphs(el, text);
      el.scrollTop = 0; // new text is read from its start
      view.unmeasured.add(el);
      break;
    case "Input":
      if (el.value !== text && !isComposing(el)) el.value = text;
      break;
    case "Button":
    case "Picture":
    case "Panel":
      break;
    default:
      setText(el, c, text);
  }
}

// What needs the page laid out: a caption's fit, and whether a text box has anything to scroll
// (with nothing, its scroll bar's thumb fills the groove). Only what is on screen can be
// measured; the rest waits until it is.
function measure() {
  for (const el of view.unmeasured) {
    if (!el.getClientRects().length) continue;
    if (el.classList.contains("text")) {
      fitParagraphs(el);
      el.classList.toggle("unscrolled", el.scrollHeight <= el.clientHeight);
    } else {
      fitCaption(el);
    }
    view.unmeasured.delete(el);
  }
}

const composing = new WeakSet();
document.addEventListener("compositionstart", (e) => composing.add(e.target));
document.addEventListener("compositionend", (e) => composing.delete(e.target));
const isComposing = (el) => composing.has(el);

// A text box's text, one block per line the game broke by hand (CR LF): the desktop's text
// box lays each such line out on its own and rounds its height up to a whole pixel, which
// fitParagraphs() copies once the box is on screen.
function writeParagraphs(el, text) {
  const blocks = text.split(/\r\n?|\n/).map((line) => {
    const block = document.createElement("div");
    if (line) block.textContent = line;
    else block.append(document.createElement("br"));
    return block;
  });
  el.replaceChildren(...(text ? blocks : []));
}

function fitParagraphs(el) {
  const blocks = [...el.children];
  // All reads, then all writes: one layout, not one per block.
  const heights = blocks.map((b) => b.getBoundingClientRect().height / view.scale);
  blocks.forEach((b, i) => {
    b.style.height = `${Math.ceil(heights[i] - 0.01)}px`;
  });
}

// A label's caption; measure() fits it to its box.
function setText(el, c, text) {
  el.textContent = text;
  if (c.wrap || c.kind === "Splash" || !text) return;
  el.style.fontSize = `${Number(el.dataset.points) * POINTS_TO_PX}px`;
  view.unmeasured.add(el);
}

// A one-line caption too long for its box takes the largest size below the table's at which
// it fits, as on the desktop.
function fitCaption(el) {
  let points = Number(el.dataset.points);
  while (el.scrollWidth > el.clientWidth && points - FIT_STEP >= FIT_SMALLEST) {
    points -= FIT_STEP;
    el.style.fontSize = `${points * POINTS_TO_PX}px`;
  }
}

// Focus follows the windows as it does on the desktop: into a dialogue when it comes up (or
// when what had the focus in it has gone, a card the turn took away), and back to where it was
// in the main window when the dialogue goes.
function moveFocus(dialog) {
  if (dialog) {
    const el = view.windows.get(dialog).el;
    if (dialog !== view.shownDialog && !view.shownDialog) view.focusBefore = document.activeElement;
    if (dialog !== view.shownDialog || !el.contains(document.activeElement)) {
      const first = [...el.querySelectorAll("[tabindex='0'], button")]
        .find((c) => c.getClientRects().length > 0);
      (first || el).focus();
    }
  } else if (view.shownDialog && view.focusBefore && document.contains(view.focusBefore)) {
    view.focusBefore.focus();
    view.focusBefore = null;
  }
  view.shownDialog = dialog;
}

// The about window's title blinks while it is on screen and the page can be seen; a tab in
// the background or a closed window costs nothing.
function updateBlink() {
  const info = view.windows.get(page.blink[0]);
  const wanted = !info.el.hidden && !document.hidden;
  if (wanted && !view.blinkTimer) {
    view.blinkTimer = setInterval(blink, layout.blinkMs);
  } else if (!wanted && view.blinkTimer) {
    clearInterval(view.blinkTimer);
    view.blinkTimer = 0;
  }
}

function blink() {
  session.blinkTick();
  const form = page.blink[0];
  drawForm(view.windows.get(form), JSON.parse(session.formState(form)));
}

function drawEnd() {
  clearTimers();
  view.blinkTimer = 0;
  for (const w of view.windows.values()) w.el.hidden = true;
  view.bar.hidden = true;
  if (view.over.hidden) {
    view.over.hidden = false;
    view.over.querySelector("button").focus();
  }
}
