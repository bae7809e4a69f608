// The one place where a catalog meets the tables and the game: everything a front end shows
// passes through view() and translated(), every typed word through type().

#include "catalog.hpp"
#include "layout.hpp"

namespace tarvilon::layout {

Control translated(const Control& control, const Catalog& catalog) {
    Control out = control;
    out.caption = catalog.translate(control.caption);
    out.tooltip = catalog.translate(control.tooltip);
    out.accessible = catalog.translate(control.accessible);
    return out;
}

WindowLayout translated(const WindowLayout& window, const Catalog& catalog) {
    WindowLayout out = window;
    out.title = catalog.translate(window.title);
    out.accessible = catalog.translate(window.accessible);
    return out;
}

Shown view(const Game& game, const Control& control, const Catalog& catalog) {
    Shown shown = view(game, control);
    if (catalog.empty()) return shown;
    // Every text the game composes is a fixed text or a number: a number has no entry and
    // stays as written, an empty cell stays empty.
    const std::string_view context =
        control.shows.what == Shows::What::Word ? kObjectWord : std::string_view();
    shown.text = std::string(catalog.translate(shown.text, context));
    shown.accessible = std::string(catalog.translate(shown.accessible));
    return shown;
}

void type(Game& game, const Control& control, std::string_view text, const Catalog& catalog) {
    type(game, control, catalog.objectWord(text).value_or(text));
}

}  // namespace tarvilon::layout
