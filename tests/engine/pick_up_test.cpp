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
constexpr std::string_view kCrashSite = content::kPlaceDescriptions[0];

// clang-format off
// The focus is emptied after every press.
const test::Case kCases[] = {
    {"kit at the crash site", {1, {0, 0, 0, 0}, {"", "", ""},             25,  kFirstAidKit},       {1, {1, 0, 0, 0}, {"", "", ""},              50, ""}},
    {"kit elsewhere",         {3, {0, 0, 0, 0}, {"", "", ""},             25,  kFirstAidKit},       {3, {1, 0, 0, 0}, {"", "", ""},              25, ""}},
    {"rifle",                 {1, {1, 0, 0, 0}, {"", "", ""},             50,  kRifle},             {1, {1, 1, 0, 0}, {kRifle, "", ""},          50, ""}},
    {"coins",                 {1, {1, 1, 0, 0}, {kRifle, "", ""},         50,  kCoins},             {1, {1, 1, 1, 0}, {kRifle, kCoins, ""},      50, ""}},
    {"spear",                 {2, {0, 0, 0, 0}, {kRifle, kCoins, ""},     50,  kSpear},             {2, {1, 0, 0, 0}, {kRifle, kCoins, kSpear},  50, ""}},
    {"powder in the jungle",  {2, {1, 0, 0, 0}, {"", "", ""},             50,  kHealingPowder},     {2, {1, 1, 0, 0}, {"", "", ""},              75, ""}},
    {"powder elsewhere",      {5, {1, 0, 0, 0}, {"", "", ""},             50,  kHealingPowder},     {5, {1, 1, 0, 0}, {"", "", ""},              50, ""}},
    {"healer's powder",       {4, {1, 1, 0, 1}, {"", "", ""},             -25, kHealerGivesPowder}, {4, {1, 1, 1, 1}, {"", "", ""},              0,  ""}},
    {"snake over the coins",  {5, {0, 0, 0, 0}, {kRifle, kCoins, kSpear}, 50,  kSnakeLair},         {5, {1, 0, 0, 0}, {kRifle, kSnake, kSpear},  50, ""}},
    {"trade with the spear",  {5, {1, 0, 0, 0}, {kRifle, kSnake, kSpear}, 50,  kSavageTrade},       {5, {1, 1, 0, 0}, {kMachineGun, kSnake, ""}, 50, ""}},
    {"trade without a spear", {5, {1, 0, 0, 0}, {kRifle, kSnake, ""},     50,  kSavageTrade},       {5, {1, 0, 0, 0}, {kRifle, kSnake, ""},      50, ""}},
    {"trade a flask",         {5, {1, 0, 0, 0}, {kRifle, kSnake, kFlask}, 50,  kSavageTrade},       {5, {1, 0, 0, 0}, {kRifle, kSnake, kFlask},  50, ""}},
    {"bow",                   {7, {0, 0, 0, 0}, {"", kSnake, ""},         50,  kBow},               {7, {1, 0, 0, 0}, {kBow, kSnake, ""},        50, ""}},
    {"flask",                 {7, {1, 0, 0, 0}, {kBow, kSnake, ""},       50,  kFlaskFound},        {7, {1, 1, 0, 0}, {kBow, kSnake, kFlask},    50, ""}},
    {"amulet for the snake",  {8, {0, 0, 0, 0}, {kBow, kSnake, kFlask},   50,  kShamanSpeech},      {8, {1, 0, 0, 0}, {kBow, kAmulet, kFlask},   50, ""}},
    {"amulet for the coins",  {8, {0, 0, 0, 0}, {kBow, kCoins, kFlask},   50,  kShamanSpeech},      {8, {1, 0, 0, 0}, {kBow, kAmulet, kFlask},   50, ""}},
    {"arrow over the flask",  {8, {1, 0, 0, 0}, {kBow, kAmulet, kFlask},  50,  kArrow},             {8, {1, 1, 0, 0}, {kBow, kAmulet, kArrow},   50, ""}},
    {"nothing offered",       {4, {1, 1, 1, 1}, {kRifle, kCoins, kSpear}, 50,  ""},                 {4, {1, 1, 1, 1}, {kRifle, kCoins, kSpear},  50, ""}},
    {"not an offer",          {9, {0, 0, 0, 0}, {kBow, kAmulet, kArrow},  50,  kSpiritAttacks},     {9, {0, 0, 0, 0}, {kBow, kAmulet, kArrow},   50, ""}},
    {"a description",         {1, {0, 0, 0, 0}, {"", "", ""},             25,  kCrashSite},         {1, {0, 0, 0, 0}, {"", "", ""},              25, ""}},
};
// clang-format on

TEST(PickUp, TakesWhatTheFocusOffers) {
    for (const test::Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt(c.before);
        game.world().description = "описание";
        game.type("лук");  // the object word plays no part and survives
        game.press(Verb::PickUp);
        EXPECT_EQ(test::StateOf(game.world()), c.after);
        EXPECT_EQ(game.world().objectWord, "лук");
        EXPECT_EQ(game.world().description, "описание");
        EXPECT_FALSE(game.windows().anySecondaryVisible());
    }
}

}  // namespace
}  // namespace tarvilon
