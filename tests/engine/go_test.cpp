#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;
using test::State;

using Flags = std::array<int, 4>;

// Go never reads the level, and never touches health or slots 2 and 3: the cases leave
// those out, and they must come through.
struct GoCase {
    const char* name;
    int level;
    Flags flags;
    std::string_view weapon;
    std::string_view focus;  // the answer Go acts on
    int toLevel;
    Flags toFlags;
    std::string_view toWeapon;
    bool shootAfter;  // "Стрелять" from level 6 on, and never set back
};

// clang-format off
const GoCase kCases[] = {
    // name                    from  flags         weapon  focus             to  flags         weapon   "Стрелять"
    {"into the jungle",        1,    {1, 1, 1, 1}, kRifle, kPathToJungle,    2,  {0, 0, 0, 1}, kRifle,  false},
    {"path from the mountain", 7,    {1, 1, 1, 1}, kBow,   kPathToJungle,    2,  {0, 0, 0, 1}, kBow,    true},
    {"to the village gate",    2,    {1, 1, 1, 1}, kRifle, kSignToVillage,   3,  {0, 0, 1, 1}, kRifle,  false},
    {"into the village",       3,    {1, 1, 1, 1}, kRifle, kMayPass,         4,  {0, 1, 1, 1}, kRifle,  false},
    {"to the river",           4,    {1, 1, 1, 1}, kRifle, kRoadIsClear,     5,  {0, 0, 0, 0}, kRifle,  false},
    {"over the bridge",        5,    {1, 1, 1, 1}, kRifle, kBridgeReady,     6,  {0, 0, 0, 1}, kRifle,  true},
    {"monster killed",         6,    {0, 0, 0, 0}, "",     kKilled,          6,  {1, 0, 0, 0}, "",      true},
    {"up the mountain",        6,    {1, 1, 1, 1}, "",     kCanClimb,        7,  {0, 0, 1, 1}, "",      true},
    {"down, just crafted",     7,    {1, 1, 1, 1}, kBow,   kDescentReady,    8,  {0, 0, 0, 1}, kBow,    true},
    {"down, looked again",     7,    {1, 1, 1, 1}, kBow,   kOnlyDescentLeft, 8,  {0, 0, 0, 1}, kBow,    true},
    {"into spirit land",       8,    {1, 1, 1, 1}, kBow,   kIntoSpiritLand,  9,  {0, 0, 1, 1}, kBow,    true},
    {"first spirit shot",      9,    {0, 1, 0, 1}, kBow,   kKilled,          9,  {1, 0, 0, 1}, kBow,    true},
    {"first spirit passed",    9,    {0, 1, 1, 1}, kBow,   kSpiritHarmless,  9,  {1, 0, 1, 1}, kBow,    true},
    {"first, not passed",      9,    {0, 0, 1, 1}, kBow,   kSpiritHarmless,  9,  {0, 0, 1, 1}, kBow,    true},
    {"second spirit shot",     9,    {1, 0, 1, 0}, kBow,   kFinished,        9,  {2, 0, 0, 0}, kBow,    true},
    {"second spirit passed",   9,    {1, 1, 1, 1}, kBow,   kSpiritDefeated,  9,  {2, 0, 0, 1}, kBow,    true},
    {"second, not passed",     9,    {1, 1, 0, 1}, kBow,   kSpiritDefeated,  9,  {1, 1, 0, 1}, kBow,    true},
    {"third spirit shot",      9,    {2, 0, 1, 0}, kBow,   kDissolved,       10, {0, 0, 0, 0}, kPistol, true},
    {"third spirit passed",    9,    {2, 1, 1, 1}, kBow,   kAllBehind,       10, {0, 0, 0, 1}, kPistol, true},
    {"third, not passed",      9,    {2, 1, 0, 1}, kBow,   kAllBehind,       9,  {2, 1, 0, 1}, kBow,    true},
    {"nothing to go on",       4,    {1, 1, 1, 1}, kRifle, "",               4,  {1, 1, 1, 1}, kRifle,  false},
    {"not a way on",           9,    {1, 0, 0, 0}, kBow,   kSpiritShoots,    9,  {1, 0, 0, 0}, kBow,    true},
};
// clang-format on

TEST(Go, MovesOnByTheFocusTextAndEmptiesTheBoxes) {
    for (const GoCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt({c.level, c.flags, {c.weapon, kCoins, kSpear}, 60, c.focus});
        if (c.level >= 6) game.world().shootCaption = kShootCaption;
        game.world().description = "описание";
        game.world().objectWord = "слово";
        game.press(Verb::Go);
        EXPECT_EQ(test::StateOf(game.world()),
                  (State{c.toLevel, c.toFlags, {c.toWeapon, kCoins, kSpear}, 60, ""}));
        EXPECT_EQ(game.world().description, "");
        EXPECT_EQ(game.world().objectWord, "");
        EXPECT_EQ(game.world().shootCaption, c.shootAfter ? kShootCaption : kDigCaption);
        EXPECT_TRUE(game.windows().mainEnabled());
        EXPECT_FALSE(game.windows().anySecondaryVisible());
    }
}

TEST(Go, OnToLifeOpensTheEndingWherever) {
    for (int level : {10, 3}) {
        Game game = test::GameAt({level, {1, 1, 1, 1}, {kPistol, kAmulet, ""}, 75, kOnToLife});
        game.press(Verb::Go);
        EXPECT_EQ(test::StateOf(game.world()),
                  (State{level, {0, 1, 1, 1}, {kPistol, kAmulet, ""}, 75, ""}));
        EXPECT_TRUE(game.windows().visible(Window::Form2));
        EXPECT_FALSE(game.windows().mainEnabled());
        EXPECT_FALSE(game.ended());  // only "Конец..." ends the run
    }
}

}  // namespace
}  // namespace tarvilon
