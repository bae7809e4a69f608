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

// The controls the page treats itself: the main window, its minimise button (the window
// system's business on the desktop), the response box that announces each new answer, and the
// about window's blinking title, which its timer redraws alone.
constexpr std::string_view kMain = "Form1";
constexpr std::string_view kMinimise = "Command1";
constexpr std::string_view kLiveBox = "Text2";
constexpr std::string_view kAbout = "info";
constexpr std::string_view kBlinkingTitle = "Label1";

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

const layout::WindowLayout* windowNamed(std::string_view name) {
    for (const layout::WindowLayout& w : layout::windows())
        if (w.name == name) return &w;
    return nullptr;
}

void appendBool(std::string& out, bool b) {
    out += b ? "true" : "false";
}

// {"created", "visible", "enabled", "controls": {"NAME": {"text", "visible", "colour",
// "accessible"}, ..}}; a window not made yet has only "created": false.
void appendForm(std::string& out, const Game& game, const layout::WindowLayout& w) {
    const bool created = layout::created(game, w.form);
    out += "{\"created\":";
    appendBool(out, created);
    if (!created) {
        out += '}';
        return;
    }
    out += ",\"visible\":";
    appendBool(out, layout::visible(game, w.form));
    out += ",\"enabled\":";
    appendBool(out, layout::enabled(game, w.form));
    out += ",\"controls\":{";
    bool first = true;
    for (const layout::Control& c : w.controls) {
        if (!first) out += ',';
        first = false;
        const layout::Shown shown = layout::view(game, w.form, c);
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
        const auto pair = [](std::string& out, std::string_view form, std::string_view control) {
            out += '[';
            layout::appendQuoted(out, form);
            out += ',';
            layout::appendQuoted(out, control);
            out += ']';
        };
        std::string out = "{\"title\":";
        layout::appendQuoted(out, kTitle);
        out += ",\"restore\":";
        layout::appendQuoted(out, kRestore);
        out += ",\"gameOver\":";
        layout::appendQuoted(out, kGameOver);
        out += ",\"newRun\":";
        layout::appendQuoted(out, kNewRun);
        out += ",\"main\":";
        layout::appendQuoted(out, kMain);
        out += ",\"minimise\":";
        pair(out, kMain, kMinimise);
        out += ",\"live\":";
        pair(out, kMain, kLiveBox);
        out += ",\"blink\":";
        pair(out, kAbout, kBlinkingTitle);
        out += '}';
        return out;
    }

    // A click on FORM.CONTROL; false for one that takes no clicks.
    bool click(const std::string& form, const std::string& control) {
        const layout::WindowLayout* w = windowNamed(form);
        return w != nullptr && layout::click(game_, w->form, control);
    }

    // The input box's new text.
    void type(const std::string& text) { game_.type(text); }

    void splashTick() { game_.splashTimerTick(); }
    void blinkTick() { game_.blinkAboutTitle(); }
    [[nodiscard]] bool splashTimerRunning() const { return game_.splashTimerRunning(); }

    // The player asks a window to close by the page's means (Escape on a dialogue).
    void requestClose(const std::string& form) {
        const layout::WindowLayout* w = windowNamed(form);
        if (w == nullptr) return;
        switch (w->form) {
            case layout::Form::Form1:
                game_.requestCloseMain();
                break;
            case layout::Form::Info:
                game_.requestClose(Window::Info);
                break;
            case layout::Form::Lesnik:
                game_.requestClose(Window::Lesnik);
                break;
            case layout::Form::Musik:
                game_.requestClose(Window::Musik);
                break;
            case layout::Form::Stol:
                game_.requestClose(Window::Stol);
                break;
            case layout::Form::Form2:
                game_.requestClose(Window::Form2);
                break;
        }
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
    [[nodiscard]] std::string formState(const std::string& form) const {
        const layout::WindowLayout* w = windowNamed(form);
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
