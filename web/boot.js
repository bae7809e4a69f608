// The page's entry: loads the game's module and the page's script, and starts them. Whatever
// fails on the way (a status other than 200, a dropped connection, a timeout, a module that
// does not compile or throws while it starts) ends in the message the page's HTML holds,
// with a button that tries again without reloading. The console keeps the technical error.

const TIMEOUT_MS = 30000; // for every file of one try to arrive and the game to start

const fault = document.getElementById("fault");
const message = document.getElementById("fault.message");
const retry = document.getElementById("fault.retry");
// The set of words in the language the page will be shown in, chosen as main.js chooses it:
// ?lang=, else the first of the browser's languages that has a set, else the first set.
const sets = [...document.querySelectorAll("#words [lang]")];
const words = [new URLSearchParams(location.search).get("lang"), ...(navigator.languages || [])]
  .map((tag) => String(tag || "").toLowerCase())
  .map((tag) => sets.find((set) => set.lang === tag || set.lang === tag.split("-")[0]))
  .find(Boolean) || sets[0];
const word = (name) => words.querySelector(`[data-word="${name}"]`).textContent;

let tries = 0;

function say(name, canRetry) {
  document.getElementById("screen").replaceChildren(); // whatever a failed start left
  message.textContent = word(name); // into the live region, which a screen reader reads out
  retry.textContent = word("retry");
  retry.hidden = !canRetry;
  if (canRetry) retry.focus();
}

// A retry asks for the scripts under a new address: the browser keeps a failed import of an
// address as failed, and a fresh copy of the page's script starts with nothing left over.
const fresh = (file, n) => (n === 1 ? `./${file}` : `./${file}?try=${n}`);

async function compile(n, signal) {
  const response = await fetch("tarvilon.wasm", { signal, cache: n === 1 ? "default" : "reload" });
  if (response.status !== 200) throw new Error(`tarvilon.wasm: HTTP ${response.status}`);
  return response.headers.get("Content-Type") === "application/wasm"
    ? WebAssembly.compileStreaming(response)
    : WebAssembly.compile(await response.arrayBuffer());
}

async function attempt(n, signal) {
  const wasm = compile(n, signal);
  const [glue, page] = await Promise.all([import(fresh("tarvilon.js", n)),
    import(fresh("main.js", n))]);
  const compiled = await wasm;
  if (n !== tries) return; // given up on already; a newer try runs
  let failed;
  const linkFailed = new Promise((_, reject) => {
    failed = reject;
  });
  // The module compiled here, so that a fault in it is caught here rather than in the glue.
  const create = () => Promise.race([linkFailed, glue.default({
    instantiateWasm(imports, done) {
      WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled), failed);
      return {};
    },
  })]);
  await page.start(create);
}

async function boot() {
  const n = ++tries;
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(new Error(`no start after ${TIMEOUT_MS} ms`)), TIMEOUT_MS);
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
  message.textContent = "";
  retry.hidden = true;
  boot();
});

if (typeof WebAssembly === "object" && typeof WebAssembly.instantiate === "function") boot();
else say("old", false);
