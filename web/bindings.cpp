// The browser page's way into the game: one run of the engine, the layout tables as JSON, a
// call per thing the player can do, and what every control shows now as JSON. The page holds
// no rule and no text of its own: its few words are here too.

#include <emscripten/bind.h>

#include <string>
#include <string_view>

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
void appendForm(std::string& out, const Game& game, const layout::WindowLayout& w) {
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
        const layout::Shown shown = layout::view(game, c);
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
    // The tables, once per page.
    [[nodiscard]] static std::string layout() { return layout::toJson(); }

    [[nodiscard]] static std::string page() {
        std::string out = "{\"title\":";
        layout::appendQuoted(out, kTitle);
        out += ",\"restore\":";
        layout::appendQuoted(out, kRestore);
        out += ",\"gameOver\":";
        layout::appendQuoted(out, kGameOver);
        out += ",\"newRun\":";
        layout::appendQuoted(out, kNewRun);
        out += ",\"touchView\":";
        layout::appendQuoted(out, kTouchView);
        out += ",\"classicView\":";
        layout::appendQuoted(out, kClassicView);
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
        if (const layout::Control* c = controlAt(window, control)) layout::type(game_, *c, text);
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
            appendForm(out, game_, w);
        }
        out += "}}";
        return out;
    }

    // One window's part of state(), for the timer that touches only that window.
    [[nodiscard]] std::string formState(int window) const {
        const layout::WindowLayout* w = windowAt(window);
        if (w == nullptr) return "null";
        std::string out;
        appendForm(out, game_, *w);
        return out;
    }

  private:
    Game game_;
};

}  // namespace tarvilon::web

EMSCRIPTEN_BINDINGS(tarvilon) {
    using tarvilon::web::Session;
    emscripten::class_<Session>("Session")
        .constructor<>()
        .class_function("layout", &Session::layout)
        .class_function("page", &Session::page)
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
