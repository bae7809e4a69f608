// The shape of the layout tables that the game's module hands the page (Session.layout()), as
// JSDoc types for TypeScript's checker. Every field the module writes is named here, and the
// page reads no other: the layout's JSON test holds the module's output to these lists.
// A row is a control's index in its window's "controls".

/**
 * @typedef {object} Tables
 * @property {number} twipsPerPixel
 * @property {number} splashMs
 * @property {number} blinkMs
 * @property {number} titleBarPx
 * @property {number} cellBorderPx
 * @property {number} cellIndentPx
 * @property {number} fitStep
 * @property {number} fitSmallest
 * @property {Record<string, string>} colours
 * @property {Record<string, FontTable>} fonts
 * @property {WindowTable[]} windows
 */

/**
 * @typedef {object} FontTable
 * @property {number} points
 * @property {boolean} bold
 */

/**
 * @typedef {object} WindowTable
 * @property {string} name
 * @property {boolean} main
 * @property {string} title
 * @property {string} accessible
 * @property {Rect} rect
 * @property {string} background
 * @property {number[]} reading
 * @property {ControlTable[]} controls
 */

/**
 * @typedef {object} ControlTable
 * @property {string} name
 * @property {string} kind
 * @property {What} shows
 * @property {What} does
 * @property {boolean} live
 * @property {boolean} blinks
 * @property {boolean} focus
 * @property {Rect} rect
 * @property {string} caption
 * @property {string} tooltip
 * @property {boolean} visible
 * @property {number | null} panel
 * @property {number | null} labelledBy
 * @property {string} font
 * @property {string} align
 * @property {string} accessible
 * @property {string | null} textColour
 * @property {string | null} background
 * @property {boolean} wrap
 * @property {string} picture
 * @property {boolean} border
 */

/**
 * @typedef {object} What
 * @property {string} what
 * @property {number} which
 * @property {string} [verb]
 */

/** @typedef {[number, number, number, number]} Rect x, y, width, height in twips */

export {};
