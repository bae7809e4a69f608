#include "shell/language.hpp"

#include <cstdlib>

#include "catalogs.hpp"

namespace tarvilon::ui {
namespace {

std::string_view env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string_view chooseLanguage(std::string_view language, std::string_view locale,
                                std::span<const std::string_view> available) {
    // Each preference in turn; the locale after the list, as its last entry.
    for (std::string_view rest = language;;) {
        const bool last = rest.empty();
        const std::size_t colon = rest.find(':');
        std::string_view wanted = last ? locale : rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        // "en_GB.UTF-8@euro": the codeset and modifier say nothing of the language.
        wanted = wanted.substr(0, wanted.find_first_of(".@"));
        const std::string_view base = wanted.substr(0, wanted.find('_'));
        if (wanted == "C" || wanted == "POSIX" || base == "ru") return {};
        if (!wanted.empty()) {
            for (std::string_view code : available)
                if (code == wanted) return code;
            for (std::string_view code : available)
                if (code == base) return code;
        }
        if (last) return {};
    }
}

layout::Catalog systemCatalog() {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = env(name);
        if (!locale.empty()) break;
    }
    const std::string_view code = chooseLanguage(env("LANGUAGE"), locale, catalogs::languages());
    return code.empty() ? layout::Catalog() : layout::Catalog(catalogs::mo(code));
}

}  // namespace tarvilon::ui
