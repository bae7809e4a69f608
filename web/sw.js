// Keeps the game for offline play, one cache per build. The build writes the files with the
// start of the SHA-256 of each and names the cache after them all.
//
// The rule that keeps two builds apart:
// - A cache holds exactly one build: installing checks every file against its digest, fetches
//   it again past the browser's HTTP cache if it is another build's, and does not install at
//   all if it still is (the browser tries again at a later visit, once the host has finished
//   publishing).
// - A page takes every file from the cache its HTML came from, whichever worker serves it.
// - A load starts on the newest build installed, whichever worker serves it. So a new build's
//   worker need not take over: it waits until the old build's pages have closed. Taking over
//   at once, it had Chrome stop the old worker in the middle of loads it served, whose other
//   files then came from the host: the new build's, under the old build's page.
// - A build's cache goes once no open page uses it.
// The translation catalogs are this build's files too, but none is fetched at install: a page
// needs one at most, and the one it asks for is checked and kept when it first does, against
// the digests the build keeps in its cache (an older worker may serve it).
const worker = /** @type {ServiceWorkerGlobalScope} */ (/** @type {unknown} */ (self));
const CACHE = "tarvilon-@VERSION@";
/** @type {Record<string, string>} file -> the start of its SHA-256, in hex */
const FILES = {"@FILES@": ""};
/** @type {Record<string, string>} */
const CATALOGS = {"@CATALOGS@": ""};
const PAGES = "tarvilon-pages"; // which cache each open page uses, kept across worker restarts
const PAGE_KEY = "./.page/";
const INSTALLING = "./.installing"; // in PAGES: the cache of the build installed last or now
const NEWEST = "./.newest"; // in PAGES: the cache of the build installed last, once it is whole
const CATALOG_KEY = "./.catalogs"; // in a build's cache: its CATALOGS
const SPARE_MS = 60000; // a page just navigated to may not be listed as open yet
const TIDY_MS = 5000; // after a load, not during it: tidying reads the caches the load needs

/** @type {Map<string, string>} client id -> cache name, the short way to PAGES */
const pages = new Map();
/** @type {Map<string, Promise<Cache>>} cache name -> the cache, opened once */
const opened = new Map();
/** @param {string} name */
const open = (name) => {
  let cache = opened.get(name);
  if (!cache) opened.set(name, (cache = caches.open(name)));
  return cache;
};
let tidying = 0; // the timer of the next tidy

/** @param {ArrayBuffer} buffer */
const hex = (buffer) => [...new Uint8Array(buffer)].map((b) => b.toString(16).padStart(2, "0")).join("");

// The file as this build has it: the browser's HTTP cache first, which on a first visit holds
// what the page has just loaded, then afresh from the host if what came back is another build's.
/**
 * @param {string} url
 * @param {string} digest
 */
async function fetchChecked(url, digest) {
  for (const cache of /** @type {RequestCache[]} */ (["default", "reload"])) {
    const response = await fetch(url, { cache });
    if (response.status !== 200) throw new Error(`${url}: HTTP ${response.status}`);
    const sha = hex(await crypto.subtle.digest("SHA-256", await response.clone().arrayBuffer()));
    if (sha.startsWith(digest)) {
      return response;
    }
  }
  throw new Error(`${url} is not this build's`);
}

worker.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    // Noted before the cache is made: see tidy.
    await open(PAGES).then((notes) => notes.put(INSTALLING, new Response(CACHE)));
    try {
      const cache = await caches.open(CACHE);
      await Promise.all([cache.put(CATALOG_KEY, new Response(JSON.stringify(CATALOGS))),
        ...Object.entries(FILES).map(async ([url, digest]) => cache.put(url, await fetchChecked(url, digest)))]);
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
    await open(PAGES).then((notes) => notes.put(NEWEST, new Response(CACHE)));
  })());
});

worker.addEventListener("activate", (event) => {
  event.waitUntil(worker.clients.claim().then(tidy));
});

worker.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(event.request.mode === "navigate" ? navigate(event) : serve(event).then(unshared));
});

// The renderer keeps what one document took for the next of the same address, without asking
// again, whatever build that next one is: every file is the document's own, or a style of the old
// build goes with the new page.
/** @param {Response} response */
function unshared(response) {
  if (response.type === "opaque" || response.type === "opaqueredirect") return response;
  const headers = new Headers(response.headers);
  headers.set("Cache-Control", "no-store");
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

/** @param {FetchEvent} event */
async function navigate(event) {
  const id = event.resultingClientId;
  const notes = await open(PAGES);
  const newest = await notes.match(NEWEST).then((note) => note && note.text());
  const name = newest && newest !== CACHE && (await caches.has(newest)) ? newest : CACHE;
  const [hit] = await Promise.all([
    open(name).then((cache) => cache.match(event.request, { ignoreSearch: true })),
    id && notes.put(PAGE_KEY + id, new Response(name, {
      headers: { Date: new Date().toUTCString() },
    })).catch(() => {}), // unnoted, the page is still served; only a restarted worker may mix it
  ]);
  if (id) pages.set(id, name);
  // Not held by waitUntil: the browser checks for a new build only once this worker is idle.
  // Should the worker stop first, the next navigation tidies.
  tidying ||= setTimeout(() => tidy().finally(() => {
    tidying = 0;
  }), TIDY_MS);
  return hit || fetch(event.request);
}

/** @param {FetchEvent} event */
async function serve(event) {
  const name = await pageCache(event.clientId);
  const cache = await open(name);
  const hit = await cache.match(event.request, { ignoreSearch: true });
  if (hit) return hit;
  const file = `./${new URL(event.request.url).pathname.slice(new URL("./", worker.location.href).pathname.length)}`;
  /** @type {Record<string, string>} */
  const catalogs = await cache.match(CATALOG_KEY).then((kept) => (kept ? kept.json() : {}));
  if (catalogs[file]) {
    const response = await fetchChecked(file, catalogs[file]).catch(() => null);
    if (response) {
      await cache.put(file, response.clone());
      return response;
    }
  }
  return fetch(event.request);
}

// A page loaded before any worker, or before pages were noted, takes this worker's build.
/** @param {string} id */
async function pageCache(id) {
  if (!id) return CACHE;
  if (!pages.has(id)) {
    const noted = await open(PAGES).then((cache) => cache.match(PAGE_KEY + id));
    const name = noted ? await noted.text() : CACHE;
    pages.set(id, (await caches.has(name)) ? name : CACHE);
  }
  return /** @type {string} */ (pages.get(id));
}

// Forgets closed pages, then drops every build's cache that no open page uses, but for this
// worker's, the newest and one that may still be installing, which an older worker's tidy sees.
async function tidy() {
  // The caches before the notes: an install notes its build before it makes the cache.
  const names = await caches.keys();
  const shown = new Set((await worker.clients.matchAll({ type: "window", includeUncontrolled: true }))
    .map((client) => client.id));
  const noted = await open(PAGES);
  const used = new Set([CACHE]);
  for (const build of [INSTALLING, NEWEST]) {
    const note = await noted.match(build);
    if (note) used.add(await note.text());
  }
  for (const key of await noted.keys()) {
    if (!key.url.startsWith(new URL(PAGE_KEY, worker.location.href).href)) continue;
    const id = key.url.slice(new URL(PAGE_KEY, worker.location.href).href.length);
    const page = await noted.match(key);
    if (!page) continue;
    if (shown.has(id) || Date.now() - Date.parse(page.headers.get("Date") || "") < SPARE_MS) {
      used.add(await page.text());
    } else {
      await noted.delete(key);
      pages.delete(id);
    }
  }
  for (const name of names) {
    if (name.startsWith("tarvilon-") && name !== PAGES && !used.has(name)) {
      opened.delete(name);
      await caches.delete(name);
    }
  }
}
