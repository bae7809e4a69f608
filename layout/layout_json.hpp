#pragma once

// The layout tables as JSON, for a front end that is not C++ (the browser page reads them
// through its WebAssembly module and builds its elements from them).

#include <string>
#include <string_view>

#include "catalog.hpp"
#include "layout.hpp"

namespace tarvilon::layout {

// Every window and its controls, in the tables' order and with the tables' names:
// {"twipsPerPixel": 15, "splashMs", "blinkMs", "titleBarPx", "cellBorderPx", "cellIndentPx",
// "fitStep", "fitSmallest", "colours": {"face": "#rrggbb", ..}, "fonts": {"Default":
// {"points": .., "bold": ..}, ..}, "windows": [{"name", "main", "title", "accessible",
// "rect": [x, y, w, h], "background": "#rrggbb", "controls": [{"name", "kind", "shows": {"what",
// "which"}, "does": {"what", "which", and for a verb "verb"}, "live", "blinks", "rect", "caption",
// "tooltip", "visible", "panel", "font", "align", "accessible", "textColour", "background", "wrap",
// "picture", "border"},
// ..]}, ..]}. Colours are "#rrggbb" or null where the table has none. The texts are in the
// catalog's language: the tables' own Russian without one.
[[nodiscard]] std::string toJson(const Catalog& catalog = {});

// Pieces for writing more JSON in the same form.
void appendQuoted(std::string& out, std::string_view text);  // a JSON string, UTF-8 kept
void appendColour(std::string& out, const std::optional<Colour>& colour);

[[nodiscard]] std::string_view name(Kind kind);
[[nodiscard]] std::string_view name(Font font);
[[nodiscard]] std::string_view name(Align align);
[[nodiscard]] std::string_view name(Shows::What what);
[[nodiscard]] std::string_view name(Does::What what);

}  // namespace tarvilon::layout
