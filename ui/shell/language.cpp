#include "shell/language.hpp"

#include <cstdlib>
#include <string_view>

#include "catalogs.hpp"

namespace tarvilon::ui {
namespace {

std::string_view env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

layout::Catalog systemCatalog() {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env(name);
        if (!locale.empty()) break;
    }
    const std::string_view code =
        layout::chooseLanguage(env("LANGUAGE"), locale, catalogs::languages());
    return code.empty() ? layout::Catalog() : layout::Catalog(catalogs::mo(code));
}

}  // namespace tarvilon::ui
