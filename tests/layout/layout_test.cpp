// The tables both front ends build from: a name that two of them spell differently, a label
// placed in a panel that does not exist, or a control outside its window shows up here, in
// every front end at once, rather than as a dead click or a missing widget in one of them.

#include "layout.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tarvilon::layout {
namespace {

bool inside(const Rect& inner, int width, int height) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width &&
           inner.y + inner.height <= height;
}

TEST(Layout, EveryControlHasOneNameAndSitsInsideWhatHoldsIt) {
    for (const WindowLayout& w : windows()) {
        EXPECT_EQ(&of(w.form), &w) << w.name;
        std::set<std::string_view> seen;
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            EXPECT_TRUE(seen.insert(c.name).second) << "named twice";
            EXPECT_EQ(find(w.form, c.name), &c);
            if (c.panel.empty()) {
                EXPECT_TRUE(inside(c.rect, w.rect.width, w.rect.height));
                continue;
            }
            // A panel is built before the controls it holds, so it comes first in the table.
            const Control* panel = find(w.form, c.panel);
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->kind, Kind::Panel);
            EXPECT_LT(panel, &c);
            EXPECT_TRUE(inside(c.rect, panel->rect.width, panel->rect.height));
        }
    }
}

// A click reaches the game exactly from the controls drawn as clickable: a name that the click
// map and the table spell differently would leave a control dead or a click unreachable.
TEST(Layout, ClickableControlsAreThoseThatClick) {
    for (const WindowLayout& w : windows()) {
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            const bool minimise = w.form == Form::Form1 && c.name == "Command1";
            const bool clickable =
                (c.kind == Kind::Verb || c.kind == Kind::Click || c.kind == Kind::Button) &&
                !minimise;
            Game game;
            EXPECT_EQ(click(game, w.form, c.name), clickable);
        }
    }
}

// What view() gives a run that has just started is what the tables draw first, but for the
// intro and "ДАЛЕЕ...", which the main window's load handler brings up.
TEST(Layout, FreshRunShowsTheTables) {
    const Game game;
    for (const WindowLayout& w : windows()) {
        for (const Control& c : w.controls) {
            SCOPED_TRACE(std::string(w.name) + "." + std::string(c.name));
            const Shown shown = view(game, w.form, c);
            EXPECT_EQ(shown.text, c.caption);
            EXPECT_EQ(shown.accessible, c.accessible);
            EXPECT_FALSE(shown.textColour.has_value());
            const bool loadShows =
                w.form == Form::Form1 && (c.name == "Text4" || c.name == "Label16");
            EXPECT_EQ(shown.visible, c.visible != loadShows);
        }
    }
}

}  // namespace
}  // namespace tarvilon::layout
