// The tables both front ends build from, played through the layout's own calls: a row that
// says the wrong thing about what it shows or does shows up here, in every front end at once,
// rather than as a dead click, a frozen cell or a missing widget in one of them. Where a
// control stands, what it may cover, the reading order, that it looks as clickable as it is
// and that every call and cell has its control, the tables check as they compile.

#include "layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "names.hpp"
#include "route.hpp"

namespace tarvilon::layout {
namespace {

// What view() gives a run that has just started is what the tables draw first, but for the
// intro and "ДАЛЕЕ...", which the main window's load handler brings up.
TEST(Layout, FreshRunShowsTheTables) {
    const Game game;
    for (const WindowLayout& w : windows()) {
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            const Shown shown = view(game, c);
            EXPECT_EQ(shown.text, c.caption);
            EXPECT_EQ(shown.accessible, c.accessible);
            EXPECT_FALSE(shown.textColour.has_value());
            const bool loadShows = c.shows.what == Shows::What::Intro;
            EXPECT_EQ(shown.visible, c.visible != loadShows);
        }
    }
}

// What a player types when the test types.
constexpr std::string_view kTyped = "вертолёт";

// A click, or for the input box a word typed, made as a front end makes it.
Clicked act(Game& game, const Control& c) {
    if (c.does.what != Does::What::Type) return click(game, c);
    type(game, c, kTyped);
    return Clicked::Played;
}

bool usable(const Game& game, const WindowLayout& w, const Control& c) {
    return c.does.what != Does::What::Nothing && enabled(game, w.window) && view(game, c).visible;
}

// Plays both shared routes through the layout and hands visit(game, step) every state they
// pass through, with the step about to be played, and every state one event further, with
// none: a click on anything a player can click there, a word typed, a tick of either timer.
template <typename Visit>
void nearTheRoutes(Visit visit) {
    for (const char* file : {"road.txt", "detours.txt"}) {
        Game game;
        for (const route::Step& step : route::load(file)) {
            SCOPED_TRACE(std::string(file) + ":" + std::to_string(step.line));
            visit(std::as_const(game), &step);
            const auto further = [&](auto event) {
                Game next = game;
                event(next);
                visit(std::as_const(next), nullptr);
            };
            further([](Game& g) { g.splashTimerTick(); });
            further([](Game& g) { g.blinkAboutTitle(); });
            for (const WindowLayout& w : windows())
                for (const Control& c : w.controls)
                    if (usable(game, w, c)) further([&c](Game& g) { act(g, c); });
            route::play(game, route::resolve(game, step));
        }
    }
}

// Whether what became of the game is what the row's does says, as a player sees it.
bool didWhatItSays(const Game& before, const Game& after, const WindowLayout& w, const Control& c,
                   Clicked clicked) {
    using D = Does::What;
    const Ending ending = after.windows().ending();
    const bool closed = !visible(after, w.window) && enabled(after, Window::Form1);
    const auto anyNow = [&](auto which) {
        return std::any_of(w.controls.begin(), w.controls.end(), which);
    };
    switch (c.does.what) {
        case D::Nothing:
            return false;
        case D::Minimise:  // the window system's business: the game stays as it was
            return clicked == Clicked::Minimise && after == before;
        case D::Type:
            return view(after, c).text == kTyped;
        case D::Press:  // the routes check what each verb writes, by its caption
            return clicked == Clicked::Played;
        case D::DismissIntro:
            return !anyNow([&](const Control& x) {
                return x.shows.what == Shows::What::Intro && view(after, x).visible;
            });
        case D::Exit:
            return ending == Ending::Exit;
        case D::OpenAbout:
            return visible(after, Window::Info) && !enabled(after, Window::Form1);
        case D::CloseAbout:
        case D::ClaimVictory:
            return closed;
        case D::Ask:  // a line closes the dialogue, or the dialogue answers it
        case D::Say:
            return closed || anyNow([&](const Control& x) {
                       return announces(x) && view(after, x).text != view(before, x).text;
                   });
        case D::Turn: {
            // The player sees and hears the word on the card clicked, and can reach that card
            // and the one offer it brings, no other card.
            const Shown card = view(after, c);
            const auto reach = tabOrder(after, w.window);
            const auto offers = std::count_if(reach.begin(), reach.end(), [](const Control* x) {
                return x->shows.what == Shows::What::DeathOffer ||
                       x->shows.what == Shows::What::VictoryOffer;
            });
            return card.textColour.value_or(*c.textColour) != c.background &&
                   card.accessible == card.text && reach.size() == 2 && offers == 1 &&
                   std::find(reach.begin(), reach.end(), &c) != reach.end();
        }
        case D::AcceptDeath:
            return ending == Ending::Death;
        case D::Finish:
            return ending == Ending::Finale;
    }
    return false;
}

// Every row that does something is played once through the layout, at the first state near
// the routes where a player can use it (a verb: where it has something to do), and what
// became of the game is what the row says. A close request reaches the game from every
// window; only the ending and the main window give way.
TEST(Layout, EveryClickAndCloseDoesWhatItsRowSays) {
    std::set<const Control*> acted;
    std::set<Window> asked;
    nearTheRoutes([&](const Game& before, const route::Step*) {
        for (const WindowLayout& w : windows()) {
            if (visible(before, w.window) && asked.insert(w.window).second) {
                Game after = before;
                requestClose(after, w.window);
                const Ending ends = w.window == Window::Form1   ? Ending::Exit
                                    : w.window == Window::Form2 ? Ending::Finale
                                                                : Ending::None;
                EXPECT_EQ(after.windows().ending(), ends) << "closing " << w.name;
                EXPECT_TRUE(ends != Ending::None || after == before) << "closing " << w.name;
            }
            for (const Control& c : w.controls) {
                if (acted.contains(&c) || !usable(before, w, c)) continue;
                Game after = before;
                const Clicked clicked = act(after, c);
                const bool idle = clicked != Clicked::Minimise && after == before;
                if (idle && c.does.what == Does::What::Press) continue;
                acted.insert(&c);
                EXPECT_TRUE(!idle && didWhatItSays(before, after, w, c, clicked))
                    << w.name << "." << c.name << " " << name(c.does.what) << " " << c.does.which;
            }
        }
    });
    EXPECT_EQ(asked.size(), kWindowCount);
    for (const WindowLayout& w : windows())
        for (const Control& c : w.controls)
            if (c.does.what != Does::What::Nothing) {
                EXPECT_TRUE(acted.contains(&c)) << w.name << "." << c.name << " never acts";
            }
}

// The two timers as a player sees them: the title splash goes at the first tick, while the
// intro waits for "ДАЛЕЕ..."; the about box's title blinks in two colours by turns.
TEST(Layout, TheTimersChangeWhatIsShown) {
    Game game;
    const Control& splash = *showing(Window::Form1, {Shows::What::Splash});
    const Control& intro = *showing(Window::Form1, {Shows::What::Intro});
    game.splashTimerTick();
    EXPECT_FALSE(view(game, splash).visible);
    EXPECT_TRUE(view(game, intro).visible);
    game.openAbout();
    const Control& title = *showing(Window::Info, {Shows::What::BlinkingTitle});
    std::optional<Colour> colours[3];
    for (auto& colour : colours) {
        game.blinkAboutTitle();
        colour = view(game, title).textColour;
    }
    EXPECT_TRUE(colours[0] && colours[1] && colours[0] != colours[1]);
    EXPECT_EQ(colours[2], colours[0]);
}

// Tab reaches, in its window, whatever the routes click or type into next, and nothing that is
// hidden or in a window that takes no input. That every control that takes focus is in the
// reading order once, the tables check as they compile.
TEST(Layout, TabReachesWhatTheRoutesUseAndNothingHidden) {
    nearTheRoutes([](const Game& game, const route::Step* step) {
        for (const WindowLayout& w : windows()) {
            const auto reach = tabOrder(game, w.window);
            EXPECT_TRUE(enabled(game, w.window) || reach.empty()) << w.name;
            for (const Control* c : reach) EXPECT_TRUE(view(game, *c).visible) << c->name;
        }
        if (step == nullptr) return;
        const route::Move move = route::resolve(game, *step);
        for (const auto& used : {move.box, move.click}) {
            if (!move.usable || !used) continue;
            const auto reach = tabOrder(game, used->window);
            EXPECT_NE(std::find(reach.begin(), reach.end(), used->control), reach.end())
                << used->control->name;
        }
    });
}

}  // namespace
}  // namespace tarvilon::layout
