// The game's WebAssembly module as the page sees it (web/bindings.cpp), as JSDoc types for
// TypeScript's checker: the factory, the run's calls, and the JSON they answer with. Types
// only: nothing here is loaded by the page.

/**
 * @callback CreateModule the module's factory, as boot.js hands it to the page
 * @returns {Promise<Module>}
 */

/**
 * @typedef {object} Module
 * @property {SessionClass} Session
 */

/**
 * @typedef {{new (): Session, languages: () => string}} SessionClass languages(): JSON, Language[]
 */

/**
 * @typedef {object} Session one run of the game
 * @property {(mo: Uint8Array | string) => void} setCatalog a compiled catalog, "" for Russian
 * @property {() => string} layout JSON: the tables (tables.js)
 * @property {() => string} page JSON: Words
 * @property {(window: number, control: number) => Clicked} click
 * @property {(window: number, control: number, text: string) => void} type
 * @property {() => void} splashTick
 * @property {() => void} blinkTick
 * @property {() => boolean} splashTimerRunning
 * @property {(window: number) => void} requestClose
 * @property {() => void} newRun
 * @property {() => string} state JSON: State
 * @property {(window: number) => string} formState JSON: FormState
 */

/** @typedef {"Played" | "Minimise" | "Nothing"} Clicked what a click did */

/**
 * @typedef {object} Language
 * @property {string} code
 * @property {string} name the language's name in itself
 */

/**
 * @typedef {object} Words the page's own words, in the catalog's language
 * @property {string} title
 * @property {string} restore
 * @property {string} gameOver
 * @property {string} newRun
 * @property {string} touchView
 * @property {string} classicView
 */

/**
 * @typedef {object} State everything the page draws, now
 * @property {boolean} ended
 * @property {string} ending
 * @property {Record<string, FormState>} forms by window name
 */

/**
 * @typedef {object} FormState a window; one not made yet has only "created": false
 * @property {boolean} created
 * @property {boolean} [visible]
 * @property {boolean} [enabled]
 * @property {Record<string, Shown>} [controls] by control name
 */

/**
 * @typedef {object} Shown what a control shows now
 * @property {string} text
 * @property {boolean} visible
 * @property {string | null} colour null for the table's own
 * @property {string} accessible
 */

export {};
