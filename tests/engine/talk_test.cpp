#include <gtest/gtest.h>

#include <optional>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;
using test::State;

struct TalkCase {
    const char* name;
    State before;
    State after;
    std::optional<Window> opens;
};

// clang-format off
const TalkCase kCases[] = {
    {"forester",            {2, {0, 0, 0, 0}, {kRifle, kCoins, ""}, 50, kForesterWillTalk},  {2, {0, 0, 0, 0}, {kRifle, kCoins, ""}, 50, kForesterWillTalk}, Window::Lesnik},
    {"guard",               {3, {0, 0, 1, 0}, {kRifle, kCoins, ""}, 50, kGuardListens},      {3, {0, 0, 1, 0}, {kRifle, kCoins, ""}, 50, kGuardListens},     Window::Musik},
    {"paid guard",          {3, {1, 0, 0, 0}, {kRifle, "", ""},     50, kGuardListens},      {3, {1, 0, 0, 0}, {kRifle, "", ""},     50, kPaidGuard},        std::nullopt},
    {"paid guard again",    {3, {1, 0, 0, 0}, {kRifle, "", ""},     50, kPaidGuard},         {3, {1, 0, 0, 0}, {kRifle, "", ""},     50, kPaidGuard},        std::nullopt},
    {"trader",              {4, {0, 0, 1, 0}, {kRifle, "", kSpear}, 75, kTraderWantsToTalk}, {4, {1, 0, 1, 0}, {kRifle, "", kSpear}, 75, kTraderNews},       std::nullopt},
    {"trader's news again", {4, {1, 0, 1, 0}, {kRifle, "", kSpear}, 75, kTraderNews},        {4, {1, 0, 1, 0}, {kRifle, "", kSpear}, 75, kTraderNews},       std::nullopt},
    {"trader at level 9",   {9, {2, 1, 1, 0}, {kBow, kAmulet, ""},  75, kTraderWantsToTalk}, {9, {1, 1, 1, 0}, {kBow, kAmulet, ""},  75, kTraderNews},       std::nullopt},
    {"guard at level 7",    {7, {0, 0, 0, 0}, {kBow, kSnake, ""},   75, kGuardListens},      {7, {0, 0, 0, 0}, {kBow, kSnake, ""},   75, kGuardListens},     Window::Musik},
    {"nobody",              {4, {0, 0, 0, 0}, {kRifle, "", ""},     75, ""},                 {4, {0, 0, 0, 0}, {kRifle, "", ""},     75, ""},                std::nullopt},
};
// clang-format on

TEST(Talk, OpensDialoguesOrAnswers) {
    for (const TalkCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt(c.before);
        game.type("торговец");
        game.press(Verb::Talk);
        EXPECT_EQ(test::StateOf(game.world()), c.after);
        EXPECT_EQ(game.world().objectWord, "торговец");
        for (Window w : {Window::Lesnik, Window::Musik})
            EXPECT_EQ(game.windows().visible(w), c.opens == w);
        EXPECT_EQ(game.windows().mainEnabled(), !c.opens);
    }
}

}  // namespace
}  // namespace tarvilon
