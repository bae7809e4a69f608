// The tables both front ends build from: a row with no name, a label placed in a panel that
// does not exist, a control outside its window, or a row that says the wrong thing about what
// it shows or does shows up here, in every front end at once, rather than as a dead click, a
// frozen cell or a missing widget in one of them.

#include "layout.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "names.hpp"

namespace tarvilon::layout {
namespace {

bool inside(const Rect& inner, int width, int height) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width &&
           inner.y + inner.height <= height;
}

const Control* named(const WindowLayout& w, std::string_view name) {
    for (const Control& c : w.controls)
        if (c.name == name) return &c;
    return nullptr;
}

TEST(Layout, EveryControlHasOneNameAndSitsInsideWhatHoldsIt) {
    for (const WindowLayout& w : windows()) {
        EXPECT_EQ(&of(w.window), &w) << w.name;
        std::set<std::string_view> seen;
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            EXPECT_FALSE(c.name.empty()) << "a row that names no control";
            EXPECT_TRUE(seen.insert(c.name).second) << "named twice";
            if (c.panel.empty()) {
                EXPECT_TRUE(inside(c.rect, w.rect.width, w.rect.height));
                continue;
            }
            // A panel is built before the controls it holds, so it comes first in the table.
            const Control* panel = named(w, c.panel);
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->kind, Kind::Panel);
            EXPECT_LT(panel, &c);
            EXPECT_TRUE(inside(c.rect, panel->rect.width, panel->rect.height));
        }
    }
}

// A control drawn as clickable does something when clicked, and only the input box takes
// typing: otherwise a click would look live and do nothing, or reach the game unseen.
TEST(Layout, ClickableControlsAreThoseThatDoSomething) {
    for (const WindowLayout& w : windows()) {
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            const bool clickable =
                c.kind == Kind::Verb || c.kind == Kind::Click || c.kind == Kind::Button;
            EXPECT_EQ(clickable, c.does.what != Does::What::Nothing && c.kind != Kind::Input)
                << name(c.does.what);
            EXPECT_EQ(c.kind == Kind::Input, c.does.what == Does::What::Type);
            // A box a screen reader lands in is named, as the main window's boxes are.
            if (c.kind == Kind::Text || c.kind == Kind::Input) {
                EXPECT_FALSE(c.accessible.empty());
            }
            Game game;
            const Clicked expected = !clickable                            ? Clicked::Nothing
                                     : c.does.what == Does::What::Minimise ? Clicked::Minimise
                                                                           : Clicked::Played;
            EXPECT_EQ(click(game, c), expected);
        }
    }
}

// Every call a player can make on the game, and every cell the game writes, is reached through
// exactly one control, in the window that makes the call or shows the cell: a row whose does
// or shows is mistyped leaves a verb, a line or a card out of reach, or a cell unshown.
TEST(Layout, EveryCallAndCellHasExactlyOneControl) {
    using D = Does::What;
    using S = Shows::What;
    std::vector<std::pair<Window, Does>> calls = {
        {Window::Form1, {D::DismissIntro}}, {Window::Form1, {D::Minimise}},
        {Window::Form1, {D::Exit}},         {Window::Form1, {D::OpenAbout}},
        {Window::Form1, {D::Type}},         {Window::Info, {D::CloseAbout}},
        {Window::Stol, {D::ClaimVictory}},  {Window::Stol, {D::AcceptDeath}},
        {Window::Form2, {D::Finish}},
    };
    std::vector<std::pair<Window, Shows>> cells = {
        {Window::Form1, {S::Splash}},
        {Window::Form1, {S::Level}},
        {Window::Form1, {S::Health}},
        {Window::Form1, {S::DigShootCaption}},
        {Window::Form1, {S::Description}},
        {Window::Form1, {S::Response}},
        {Window::Form1, {S::Word}},
        {Window::Info, {S::BlinkingTitle}},
        {Window::Lesnik, {S::ForesterAnswer}},
        {Window::Musik, {S::GuardAnswer}},
        {Window::Stol, {S::Deal}},
        {Window::Stol, {S::DeathOffer}},
        {Window::Stol, {S::VictoryOffer}},
    };
    for (int v = 0; v <= static_cast<int>(Verb::PickUp); ++v)
        calls.push_back({Window::Form1, {D::Press, v}});
    for (int l = 0; l <= static_cast<int>(ForesterLine::Bye); ++l)
        calls.push_back({Window::Lesnik, {D::Ask, l}});
    for (int l = 0; l < static_cast<int>(kGuardLineCount); ++l) {
        calls.push_back({Window::Musik, {D::Say, l}});
        cells.push_back({Window::Musik, {S::GuardLine, l}});
    }
    for (int c = 0; c < static_cast<int>(kCardCount); ++c) {
        calls.push_back({Window::Stol, {D::Turn, c}});
        cells.push_back({Window::Stol, {S::Card, c}});
    }
    for (int s = 0; s <= static_cast<int>(Slot::Pouch); ++s)
        cells.push_back({Window::Form1, {S::Slot, s}});

    const auto expectOnce = [](Window window, auto has) {
        int found = 0;
        for (const WindowLayout& w : windows())
            for (const Control& c : w.controls)
                if (has(c)) {
                    ++found;
                    EXPECT_EQ(w.window, window) << "in " << w.name;
                }
        EXPECT_EQ(found, 1);
    };
    // Copies rather than structured bindings: clang 14 cannot capture those.
    for (const auto& call : calls) {
        const Does does = call.second;
        SCOPED_TRACE(std::string(name(does.what)) + " " + std::to_string(does.which));
        expectOnce(call.first, [does](const Control& c) { return c.does == does; });
    }
    for (const auto& cell : cells) {
        const Shows shows = cell.second;
        SCOPED_TRACE(std::string(name(shows.what)) + " " + std::to_string(shows.which));
        expectOnce(cell.first, [shows](const Control& c) { return c.shows == shows; });
    }
}

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

}  // namespace
}  // namespace tarvilon::layout
