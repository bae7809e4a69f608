#include <gtest/gtest.h>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;

// Craft reads only the focus text; slots and health must come through untouched.
// clang-format off
const test::Case kCases[] = {
    {"spear, only announced",  {2,  {0, 1, 0, 0}, {kRifle, kCoins, ""}, 50, kBranchForSpear},     {2,  {0, 1, 0, 0}, {kRifle, kCoins, ""}, 50, kSpear}},
    {"bridge",                 {5,  {1, 1, 0, 0}, {kRifle, kSnake, ""}, 50, kBoardsForBridge},    {5,  {1, 1, 1, 0}, {kRifle, kSnake, ""}, 50, "Мост готов"}},
    {"rope",                   {6,  {1, 0, 0, 0}, {"", kSnake, ""},     50, kRopeFound},          {6,  {1, 1, 0, 0}, {"", kSnake, ""},     50, "Вы смастерили канат"}},
    {"way down",               {7,  {1, 1, 0, 0}, {kBow, kSnake, ""},   50, kBranchesForDescent}, {7,  {1, 1, 1, 0}, {kBow, kSnake, ""},   50, kDescentReady}},
    {"arrow, only announced",  {8,  {1, 0, 0, 0}, {kBow, kAmulet, ""},  50, kTwigForArrow},       {8,  {1, 0, 0, 0}, {kBow, kAmulet, ""},  50, kArrow}},
    {"rubble cleared",         {10, {0, 0, 0, 0}, {kPistol, "", ""},    50, kRubble},             {10, {1, 0, 0, 0}, {kPistol, "", ""},    50, "Вход свободен!"}},
    {"crafted already",        {7,  {1, 1, 1, 0}, {kBow, kSnake, ""},   50, kDescentReady},       {7,  {1, 1, 1, 0}, {kBow, kSnake, ""},   50, kDescentReady}},
    {"nothing in focus",       {5,  {0, 0, 0, 0}, {kRifle, "", kSpear}, 50, ""},                  {5,  {0, 0, 0, 0}, {kRifle, "", kSpear}, 50, ""}},
    {"the tree, not a branch", {2,  {0, 0, 0, 0}, {kRifle, "", ""},     50, kStrangeTree},        {2,  {0, 0, 0, 0}, {kRifle, "", ""},     50, kStrangeTree}},
};
// clang-format on

TEST(Craft, MakesWhatTheFocusDescribes) {
    for (const test::Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt(c.before);
        game.type("доски");
        game.press(Verb::Craft);
        EXPECT_EQ(test::StateOf(game.world()), c.after);
        EXPECT_EQ(game.world().objectWord, "доски");
    }
}

}  // namespace
}  // namespace tarvilon
