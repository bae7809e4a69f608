// The page's entry: loads the game's module, the page's scripts and the chosen language's
// catalog, and starts them. Whatever fails on the way (a status other than 200, a dropped
// connection, a timeout, a module that does not compile or throws while it starts) ends in the
// message the page's HTML holds, with a button that tries again without reloading. The
// console keeps the technical error.

import { chooseLanguage } from "./address.js";

/** @typedef {import("./module.js").CreateModule} CreateModule */
/** @typedef {import("./run.js")} Page */

const TIMEOUT_MS = 30000; // for every file of one try to arrive and the game to start

const fault = /** @type {HTMLElement} */ (document.getElementById("fault.message"));
const retry = /** @type {HTMLButtonElement} */ (document.getElementById("fault.retry"));
// The words in the language the page will be shown in: the HTML holds a set for each.
const sets = /** @type {HTMLElement[]} */ ([...document.querySelectorAll("#words [lang]")]);
const language = chooseLanguage(sets.map((set) => set.lang));
const words = /** @type {HTMLElement} */ (sets.find((set) => set.lang === language));
/** @param {string} name */
const word = (name) => words.querySelector(`[data-word="${name}"]`)?.textContent || "";

let tries = 0;
let pageFailed = false; // a page script that failed to load stays failed until a reload

/**
 * @param {string} name
 * @param {boolean} canRetry
 */
function say(name, canRetry) {
  document.getElementById("screen")?.replaceChildren(); // whatever a failed start left
  fault.textContent = word(name); // into the live region, which a screen reader reads out
  retry.textContent = word("retry");
  retry.hidden = !canRetry;
  if (canRetry) retry.focus();
}

/** @type {Map<string, Promise<Uint8Array | null>>} */
const catalogs = new Map();
// A language's catalog (none for the game's own), fetched once; null where it cannot be, and
// the page stays in the language it has.
/** @param {string} code */
function catalog(code) {
  let bytes = catalogs.get(code);
  if (!bytes) {
    bytes = fetch(`po/${code}.txt`)
      .then(async (response) => (response.ok ? new Uint8Array(await response.arrayBuffer()) : null))
      .catch(() => null);
    bytes.then((got) => got || catalogs.delete(code)); // asked again, it is fetched again
    catalogs.set(code, bytes);
  }
  return bytes;
}

// A retry asks for the glue under a new address: the browser keeps a failed import of an
// address as failed.
/**
 * @param {string} file
 * @param {number} n
 */
const fresh = (file, n) => (n === 1 ? `./${file}` : `./${file}?try=${n}`);

/**
 * @param {number} n
 * @param {AbortSignal} signal
 */
async function compile(n, signal) {
  const response = await fetch("tarvilon.wasm", { signal, cache: n === 1 ? "default" : "reload" });
  if (response.status !== 200) throw new Error(`tarvilon.wasm: HTTP ${response.status}`);
  return response.headers.get("Content-Type") === "application/wasm"
    ? WebAssembly.compileStreaming(response)
    : WebAssembly.compile(await response.arrayBuffer());
}

/**
 * @param {number} n
 * @param {AbortSignal} signal
 */
async function attempt(n, signal) {
  const wasm = compile(n, signal);
  /** @type {Promise<Page>} */
  const script = import("./run.js");
  script.catch(() => {
    pageFailed = true;
  });
  // Awaited together: a module that fails to compile before the scripts arrive is this try's
  // failure, not a rejection nobody handles.
  const [glue, page, compiled] = await Promise.all([import(fresh("tarvilon.js", n)), script, wasm]);
  if (n !== tries) return; // given up on already; a newer try runs
  /** @type {(error: unknown) => void} */
  let failed = () => {};
  /** @type {Promise<never>} */
  const linkFailed = new Promise((_, reject) => {
    failed = reject;
  });
  // The module compiled here, so that a fault in it is caught here rather than in the glue.
  /** @type {CreateModule} */
  const create = () => Promise.race([linkFailed, glue.default({
    /**
     * @param {WebAssembly.Imports} imports
     * @param {(instance: WebAssembly.Instance, module: WebAssembly.Module) => void} done
     */
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled), failed);
      return {};
    },
  })]);
  await page.start(create, language, catalog);
}

async function boot() {
  const n = ++tries;
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(new Error(`no start after ${TIMEOUT_MS} ms`)), TIMEOUT_MS);
  /** @type {Promise<never>} */
  const timedOut = new Promise((_, reject) => {
    abort.signal.addEventListener("abort", () => reject(abort.signal.reason));
  });
  try {
    await Promise.race([attempt(n, abort.signal), timedOut]);
  } catch (error) {
    if (n !== tries) return;
    console.error("tarvilon: the game could not start:", error);
    say("failed", true);
  } finally {
    clearTimeout(timer);
  }
}

retry.addEventListener("click", () => {
  if (pageFailed) {
    location.reload();
    return;
  }
  fault.textContent = "";
  retry.hidden = true;
  boot();
});

if (typeof WebAssembly === "object" && typeof WebAssembly.instantiate === "function") {
  if (language !== sets[0].lang) catalog(language); // on its way while the rest loads
  boot();
} else {
  say("old", false);
}
