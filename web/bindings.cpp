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
#include "json.hpp"
#include "layout.hpp"
#include "layout_json.hpp"
#include "names.hpp"

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

// {"created", "visible", "enabled", "controls": {"NAME": {"text", "visible", "colour",
// "accessible"}, ..}}; a window not made yet has only "created": false.
void form(layout::JsonWriter& j, const Game& game, const layout::WindowLayout& w,
          const layout::Catalog& catalog) {
    const bool created = layout::created(game, w.window);
    j.beginObject().field("created", created);
    if (!created) {
        j.endObject();
        return;
    }
    j.field("visible", layout::visible(game, w.window));
    j.field("enabled", layout::enabled(game, w.window));
    j.key("controls").beginObject();
    for (const layout::Control& c : w.controls) {
        const layout::Shown shown = layout::view(game, c, catalog);
        j.key(c.name).beginObject().field("text", shown.text).field("visible", shown.visible);
        j.field("colour", shown.textColour).field("accessible", shown.accessible).endObject();
    }
    j.endObject().endObject();
}

}  // namespace

// One run. The page makes one, and starts a new run on the same object.
class Session {
  public:
    // The languages the page can be played in, the game's own first: [{"code", "name"}, ..],
    // each named in itself.
    [[nodiscard]] static std::string languages() {
        layout::JsonWriter j;
        j.beginArray().beginObject().field("code", "ru").field("name", kRussian).endObject();
        for (std::string_view rest = kCatalogs; !rest.empty();) {
            const std::string_view entry = rest.substr(0, rest.find(' '));
            rest.remove_prefix(std::min(rest.size(), entry.size() + 1));
            const std::size_t equals = entry.find('=');
            j.beginObject().field("code", entry.substr(0, equals));
            j.field("name", entry.substr(equals + 1)).endObject();
        }
        return j.endArray().take();
    }

    // The catalog the page is shown in from now on, in its page's form (or a .mo file's
    // bytes); empty bytes for Russian. The run goes on: only what it is read in changes.
    void setCatalog(const std::string& mo) { catalog_ = layout::Catalog(mo); }

    // The tables, in the catalog's language.
    [[nodiscard]] std::string layout() const { return layout::toJson(catalog_); }

    [[nodiscard]] std::string page() const {
        layout::JsonWriter j;
        j.beginObject().field("title", catalog_.translate(kTitle));
        j.field("restore", catalog_.translate(kRestore));
        j.field("gameOver", catalog_.translate(kGameOver));
        j.field("newRun", catalog_.translate(kNewRun));
        j.field("touchView", catalog_.translate(kTouchView));
        j.field("classicView", catalog_.translate(kClassicView));
        return j.endObject().take();
    }

    // A click on the control at (window, control) in the tables: "Played" for a call on the
    // game, "Minimise" for the page's own business, "Nothing" for a control that takes none.
    [[nodiscard]] std::string click(int window, int control) {
        const layout::Control* c = controlAt(window, control);
        return std::string(
            layout::name(c != nullptr ? layout::click(game_, *c) : layout::Clicked::Nothing));
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
        layout::JsonWriter j;
        j.beginObject().field("ended", game_.ended());
        j.field("ending", layout::name(game_.windows().ending())).key("forms").beginObject();
        for (const layout::WindowLayout& w : layout::windows()) {
            j.key(w.name);
            form(j, game_, w, catalog_);
        }
        return j.endObject().endObject().take();
    }

    // One window's part of state(), for the timer that touches only that window.
    [[nodiscard]] std::string formState(int window) const {
        const layout::WindowLayout* w = windowAt(window);
        if (w == nullptr) return "null";
        layout::JsonWriter j;
        form(j, game_, *w, catalog_);
        return j.take();
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
