#pragma once

// The layout tables as JSON, for a front end that is not C++ (the browser page reads them
// through its WebAssembly module and builds its elements from them) and for the Python tests.

#include <string>

#include "catalog.hpp"
#include "layout.hpp"

namespace tarvilon::layout {

// Every window and its controls, in the tables' order and with the tables' names:
// {"twipsPerPixel": 15, "splashMs", "blinkMs", "titleBarPx", "cellBorderPx", "cellIndentPx",
// "fitStep", "fitSmallest", "colours": {"face": "#rrggbb", ..}, "fonts": {"Default":
// {"points": .., "bold": ..}, ..}, "windows": [{"name", "main", "title", "accessible",
// "rect": [x, y, w, h], "background": "#rrggbb", "reading": [row, ..], "controls": [{"name",
// "kind", "shows": {"what", "which"}, "does": {"what", "which", and for a verb "verb"}, "live",
// "blinks", "focus", "rect", "caption", "tooltip", "visible", "panel", "labelledBy", "font",
// "align", "accessible", "textColour", "background", "wrap", "picture", "border"}, ..]}, ..]}.
// A row is a control's index in its window's "controls"; "panel" and "labelledBy" are rows, or
// null. Colours are "#rrggbb" or null where the table has none. The texts are in the catalog's
// language: the tables' own Russian without one.
[[nodiscard]] std::string toJson(const Catalog& catalog = {});

}  // namespace tarvilon::layout
