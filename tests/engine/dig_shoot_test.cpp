#include <gtest/gtest.h>

#include <string_view>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;

// A place description in the focus text matches no row.
constexpr std::string_view kMountainFoot = content::kPlaceDescriptions[5];

// clang-format off
const test::Case kCases[] = {
    {"dig under the plaque",    {2, {1, 0, 0, 0}, {kRifle, kCoins, kSpear},  50, kPlaqueArrowDown}, {2, {1, 0, 0, 0}, {kRifle, kCoins, kSpear}, 50, kHealingPowder}},
    {"dig again",               {2, {1, 0, 0, 0}, {kRifle, kCoins, kSpear},  50, kHealingPowder},   {2, {1, 0, 0, 0}, {kRifle, kCoins, kSpear}, 50, kHealingPowder}},
    // The monster, by what slot 1 holds.
    {"machine gun",             {6, {0, 0, 0, 0}, {kMachineGun, kSnake, ""}, 50, kMonsterMustDie},  {6, {1, 0, 0, 0}, {"", kSnake, ""},         50, kKilled}},
    {"rifle",                   {6, {0, 0, 0, 0}, {kRifle, kSnake, kSpear},  50, kMonsterMustDie},  {6, {0, 0, 0, 0}, {kRifle, kSnake, kSpear}, 50, kWrongWeapon}},
    {"bare hands",              {6, {0, 0, 0, 0}, {"", kSnake, ""},          50, kMonsterMustDie},  {6, {0, 0, 0, 0}, {"", kSnake, ""},         50, kWrongWeapon}},
    {"a bow kills too",         {6, {0, 0, 0, 0}, {kBow, kSnake, ""},        50, kMonsterMustDie},  {6, {0, 0, 0, 0}, {kBow, kSnake, ""},       50, kKilled}},
    {"shoot the dead monster",  {6, {1, 0, 0, 0}, {"", kSnake, ""},          50, kKilled},          {6, {1, 0, 0, 0}, {"", kSnake, ""},         50, kKilled}},
    // The first spirit needs the amulet and an arrow; the amulet is never spent.
    {"amulet and arrow",        {9, {0, 0, 0, 0}, {kBow, kAmulet, kArrow},   50, kSpiritAttacks},   {9, {0, 1, 0, 0}, {kBow, kAmulet, ""},      50, kKilled}},
    {"arrow, no amulet",        {9, {0, 0, 0, 0}, {kBow, kSnake, kArrow},    50, kSpiritAttacks},   {9, {0, 0, 0, 0}, {kBow, kSnake, kArrow},   50, "Нет амулета"}},
    {"amulet, no arrow",        {9, {0, 0, 0, 0}, {kBow, kAmulet, ""},       50, kSpiritAttacks},   {9, {0, 0, 0, 0}, {kBow, kAmulet, ""},      50, "Чем его убивать"}},
    {"amulet and flask",        {9, {0, 0, 0, 0}, {kBow, kAmulet, kFlask},   50, kSpiritAttacks},   {9, {0, 0, 0, 0}, {kBow, kAmulet, kFlask},  50, "Чем его убивать"}},
    // The second and third need only the arrow; without one nothing happens.
    {"second spirit",           {9, {1, 0, 0, 0}, {kBow, "", kArrow},        25, kSpiritShoots},    {9, {1, 0, 1, 0}, {kBow, "", ""},           25, kFinished}},
    {"second spirit, no arrow", {9, {1, 0, 0, 0}, {kBow, kAmulet, ""},       25, kSpiritShoots},    {9, {1, 0, 0, 0}, {kBow, kAmulet, ""},      25, kSpiritShoots}},
    {"third spirit",            {9, {2, 1, 0, 0}, {kBow, kAmulet, kArrow},   25, kSpiritClose},     {9, {2, 1, 1, 0}, {kBow, kAmulet, ""},      25, kDissolved}},
    {"third spirit, no arrow",  {9, {2, 0, 0, 0}, {kBow, kAmulet, ""},       25, kSpiritClose},     {9, {2, 0, 0, 0}, {kBow, kAmulet, ""},      25, kSpiritClose}},
    {"a description",           {6, {0, 0, 0, 0}, {kMachineGun, "", ""},     25, kMountainFoot},    {6, {0, 0, 0, 0}, {kMachineGun, "", ""},    25, kMountainFoot}},
};
// clang-format on

TEST(DigShoot, DigsFightsAndShootsByFocusAndSlots) {
    for (const test::Case& c : kCases) {
        for (std::string_view caption : {kDigCaption, kShootCaption}) {  // one table under both
            SCOPED_TRACE(testing::Message() << c.name << " as " << caption);
            Game game = test::GameAt(c.before);
            game.world().shootCaption = caption;
            game.type("монстр");
            game.press(Verb::DigShoot);
            EXPECT_EQ(test::StateOf(game.world()), c.after);
            EXPECT_EQ(game.world().objectWord, "монстр");
            EXPECT_EQ(game.world().shootCaption, caption);
        }
    }
}

}  // namespace
}  // namespace tarvilon
