#pragma once

#include <span>
#include <string_view>

#include "catalog.hpp"

namespace tarvilon::ui {

// The language of a desktop run, as gettext picks one: the entries of LANGUAGE (a colon-
// separated list), then the locale (the first set of LC_ALL, LC_MESSAGES, LANG). The first
// that names a language with a catalog wins; one that names Russian, or the C or POSIX locale,
// gives the Russian game, as does running out of preferences. Returns one of `available`, or
// empty for Russian.
[[nodiscard]] std::string_view chooseLanguage(std::string_view language, std::string_view locale,
                                              std::span<const std::string_view> available);

// The compiled-in catalog of the language this process's environment prefers: empty, the
// Russian game, where it prefers none that has one.
[[nodiscard]] layout::Catalog systemCatalog();

}  // namespace tarvilon::ui
