#pragma once

// The translation catalogs compiled into the desktop program at build time, as msgfmt wrote
// them from po/<language>.po; layout::Catalog reads them. Russian has none: it is the game.

#include <span>
#include <string_view>

namespace tarvilon::catalogs {

// The languages with a catalog, by their gettext codes ("en"), as po/LINGUAS lists them.
[[nodiscard]] std::span<const std::string_view> languages();

// The compiled catalog of a language code, or empty where there is none.
[[nodiscard]] std::string_view mo(std::string_view language);

}  // namespace tarvilon::catalogs
