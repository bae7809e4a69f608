#pragma once

#include "catalog.hpp"

namespace tarvilon::ui {

// The compiled-in catalog of the language this process's environment prefers, as
// layout::chooseLanguage reads LANGUAGE and the locale: empty, the Russian game, where it
// prefers none that has one.
[[nodiscard]] layout::Catalog systemCatalog();

}  // namespace tarvilon::ui
