// The page's address: the one reader of ?lang, ?view and ?scale, and the one writer of them.
// boot.js asks it too, so that the words of a failed start are in the language the game would
// have been shown in.

const params = new URLSearchParams(location.search);

/**
 * The language to show: ?lang= where it names one offered, else the first of the browser's
 * preferred languages that does ("en-GB" finds "en"), else the first offered, the game's own.
 * @param {readonly string[]} offered language codes, the game's own first
 * @returns {string}
 */
export function chooseLanguage(offered) {
  /** @param {string | null} tag */
  const known = (tag) => {
    const lower = (tag || "").toLowerCase();
    return offered.find((code) => code === lower || code === lower.split("-")[0]);
  };
  return [params.get("lang"), ...navigator.languages].map(known).find(Boolean) || offered[0];
}

/** The view ?view= asks for, or null. */
export const askedView = () => params.get("view");

/** ?scale=N: a whole scale the screen keeps, or 0 where it fits the viewport. */
export const fixedScale = () => Math.max(0, Math.floor(Number(params.get("scale")) || 0));

/**
 * This page's address with NAME set to VALUE, as a link's target.
 * @param {string} name
 * @param {string} value
 */
export function addressWith(name, value) {
  const address = new URL(location.href);
  address.searchParams.set(name, value);
  return address.search;
}

/**
 * Keeps a choice in the address, so that a reload comes back to it.
 * @param {string} name
 * @param {string} value
 */
export function remember(name, value) {
  params.set(name, value);
  history.replaceState(history.state, "", addressWith(name, value));
}
