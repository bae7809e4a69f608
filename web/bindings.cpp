// The browser page's way into the game: one run of the engine, the layout tables as JSON, a
// call per thing the player can do, and what every control shows now as JSON, all in the
// language of the catalog the page hands over. The page holds no rule and no text of its own:
// its few words are here too.

#include <emscripten/bind.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "catalog.hpp"
#include "game.hpp"
#include "layout.hpp"
#include "layout_json.hpp"

namespace tarvilon::web {
namespace {

// What the page says in its own voice: where the desktop has a window system to lean on (a
// task bar entry for a minimised window, a process that simply ends), the page draws these.
constexpr std::string_view kTitle = "ТАРВИЛОН";
constexpr std::string_view kRestore = "Развернуть";
constexpr std::string_view kGameOver = "Игра окончена.";
constexpr std::string_view kNewRun = "Начать заново";
// The game's own language, named in itself wherever the page offers it. A catalog translates
// this to its language's name in itself, which is how the page offers that one.
constexpr std::string_view kRussian = "Русский";
// The catalogs the site serves, as "code=name" separated by blanks (from the build).
constexpr std::string_view kCatalogs = TARVILON_CATALOGS;
// The switch between the page's two views names the view it switches to.
constexpr std::string_view kTouchView = "Крупный вид";
constexpr std::string_view kClassicView = "Классический вид";

std::string_view endingName(Ending ending) {
    switch (ending) {
        case Ending::None:
            return "None";
        case Ending::Exit:
            return "Exit";
        case Ending::Death:
            return "Death";
        case Ending::Finale:
            return "Finale";
    }
    return "None";
}

// The page names a window and a control by their places in the tables it was given.
const layout::WindowLayout* windowAt(int window) {
    const auto all = layout::windows();
    if (window < 0 || static_cast<std::size_t>(window) >= all.size()) return nullptr;
    return &all[static_cast<std::size_t>(window)];
}

const layout::Control* controlAt(int window, int control) {
    const layout::WindowLayout* w = windowAt(window);
    if (w == nullptr || control < 0 || static_cast<std::size_t>(control) >= w->controls.size())
        return nullptr;
    return &w->controls[static_cast<std::size_t>(control)];
}

std::string_view clickedName(layout::Clicked clicked) {
    switch (clicked) {
        case layout::Clicked::Nothing:
            return "Nothing";
        case layout::Clicked::Played:
            return "Played";
        case layout::Clicked::Minimise:
            return "Minimise";
    }
    return "Nothing";
}

void appendBool(std::string& out, bool b) {
    out += b ? "true" : "false";
}

// {"created", "visible", "enabled", "controls": {"NAME": {"text", "visible", "colour",
// "accessible"}, ..}}; a window not made yet has only "created": false.
void appendForm(std::string& out, const Game& game, const layout::WindowLayout& w,
                const layout::Catalog& catalog) {
    const bool created = layout::created(game, w.window);
    out += "{\"created\":";
    appendBool(out, created);
    if (!created) {
        out += '}';
        return;
    }
    out += ",\"visible\":";
    appendBool(out, layout::visible(game, w.window));
    out += ",\"enabled\":";
    appendBool(out, layout::enabled(game, w.window));
    out += ",\"controls\":{";
    bool first = true;
    for (const layout::Control& c : w.controls) {
        if (!first) out += ',';
        first = false;
        const layout::Shown shown = layout::view(game, c, catalog);
        layout::appendQuoted(out, c.name);
        out += ":{\"text\":";
        layout::appendQuoted(out, shown.text);
        out += ",\"visible\":";
        appendBool(out, shown.visible);
        out += ",\"colour\":";
        layout::appendColour(out, shown.textColour);
        out += ",\"accessible\":";
        layout::appendQuoted(out, shown.accessible);
        out += '}';
    }
    out += "}}";
}

}  // namespace

// One run. The page makes one, and starts a new run on the same object.
class Session {
  public:
    // The languages the page can be played in, the game's own first: [{"code", "name"}, ..],
    // each named in itself.
    [[nodiscard]] static std::string languages() {
        std::string out = "[{\"code\":\"ru\",\"name\":";
        layout::appendQuoted(out, kRussian);
        out += '}';
        for (std::string_view rest = kCatalogs; !rest.empty();) {
            const std::string_view entry = rest.substr(0, rest.find(' '));
            rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
            const std::size_t equals = entry.find('=');
            out += ",{\"code\":";
            layout::appendQuoted(out, entry.substr(0, equals));
            out += ",\"name\":";
            layout::appendQuoted(out, entry.substr(equals + 1));
            out += '}';
        }
        return out + ']';
    }

    // The compiled catalog (a .mo file's bytes) the page is shown in from now on; empty bytes
    // for Russian. The run goes on: only what it is read in changes.
    void setCatalog(const std::string& mo) { catalog_ = layout::Catalog(mo); }

    // The tables, in the catalog's language.
    [[nodiscard]] std::string layout() const { return layout::toJson(catalog_); }

    [[nodiscard]] std::string page() const {
        std::string out = "{\"title\":";
        layout::appendQuoted(out, catalog_.translate(kTitle));
        out += ",\"restore\":";
        layout::appendQuoted(out, catalog_.translate(kRestore));
        out += ",\"gameOver\":";
        layout::appendQuoted(out, catalog_.translate(kGameOver));
        out += ",\"newRun\":";
        layout::appendQuoted(out, catalog_.translate(kNewRun));
        out += ",\"touchView\":";
        layout::appendQuoted(out, catalog_.translate(kTouchView));
        out += ",\"classicView\":";
        layout::appendQuoted(out, catalog_.translate(kClassicView));
        out += '}';
        return out;
    }

    // A click on the control at (window, control) in the tables: "Played" for a call on the
    // game, "Minimise" for the page's own business, "Nothing" for a control that takes none.
    [[nodiscard]] std::string click(int window, int control) {
        const layout::Control* c = controlAt(window, control);
        return std::string(
            clickedName(c != nullptr ? layout::click(game_, *c) : layout::Clicked::Nothing));
    }

    // The player's edit of the box at (window, control): its whole new text.
    void type(int window, int control, const std::string& text) {
        if (const layout::Control* c = controlAt(window, control))
            layout::type(game_, *c, text, catalog_);
    }

    void splashTick() { game_.splashTimerTick(); }
    void blinkTick() { game_.blinkAboutTitle(); }
    [[nodiscard]] bool splashTimerRunning() const { return game_.splashTimerRunning(); }

    // The player asks a window to close by the page's means (Escape on a dialogue).
    void requestClose(int window) {
        if (const layout::WindowLayout* w = windowAt(window))
            layout::requestClose(game_, w->window);
    }

    void newRun() { game_ = Game{}; }

    // Everything the page draws, now: {"ended", "ending", "forms": {"Form1": {..}, ..}}.
    [[nodiscard]] std::string state() const {
        std::string out = "{\"ended\":";
        appendBool(out, game_.ended());
        out += ",\"ending\":";
        layout::appendQuoted(out, endingName(game_.windows().ending()));
        out += ",\"forms\":{";
        bool first = true;
        for (const layout::WindowLayout& w : layout::windows()) {
            if (!first) out += ',';
            first = false;
            layout::appendQuoted(out, w.name);
            out += ':';
            appendForm(out, game_, w, catalog_);
        }
        out += "}}";
        return out;
    }

    // One window's part of state(), for the timer that touches only that window.
    [[nodiscard]] std::string formState(int window) const {
        const layout::WindowLayout* w = windowAt(window);
        if (w == nullptr) return "null";
        std::string out;
        appendForm(out, game_, *w, catalog_);
        return out;
    }

  private:
    Game game_;
    layout::Catalog catalog_;
};

}  // namespace tarvilon::web

EMSCRIPTEN_BINDINGS(tarvilon) {
    using tarvilon::web::Session;
    emscripten::class_<Session>("Session")
        .constructor<>()
        .class_function("languages", &Session::languages)
        .function("setCatalog", &Session::setCatalog)
        .function("layout", &Session::layout)
        .function("page", &Session::page)
        .function("click", &Session::click)
        .function("type", &Session::type)
        .function("splashTick", &Session::splashTick)
        .function("blinkTick", &Session::blinkTick)
        .function("splashTimerRunning", &Session::splashTimerRunning)
        .function("requestClose", &Session::requestClose)
        .function("newRun", &Session::newRun)
        .function("state", &Session::state)
        .function("formState", &Session::formState);
}
