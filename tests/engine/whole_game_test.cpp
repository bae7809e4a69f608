// Whole games played headless from the shared route files, every answer checked as the
// player would read it.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "layout.hpp"
#include "route.hpp"

namespace tarvilon {
namespace {

using namespace text;
using namespace std::string_view_literals;

// What must hold between any two clicks, whatever the player did.
void ExpectConsistent(const Game& g) {
    const World& w = g.world();
    EXPECT_GE(w.level, World::kFirstLevel);
    EXPECT_LE(w.level, World::kLastLevel);
    for (int f : w.flags) EXPECT_TRUE(f >= 0 && f <= 2) << "flag " << f;
    // Each slot holds only its own kind of item.
    const std::set<std::string_view> kinds[] = {{"", kRifle, kMachineGun, kBow, kPistol},
                                                {"", kCoins, kSnake, kAmulet},
                                                {"", kSpear, kFlask, kArrow}};
    for (std::size_t i = 0; i < w.inventory.size(); ++i)
        EXPECT_TRUE(kinds[i].contains(w.inventory[i])) << w.inventory[i];
    if (g.ended()) return;
    EXPECT_EQ(g.windows().mainEnabled(), !g.windows().anySecondaryVisible());
    // The description box is empty after Go, else it describes where the player stands.
    const std::size_t place = w.level < 9 ? w.level - 1 : w.level == 9 ? 8 + w.flag(Flag::T1) : 11;
    if (!w.description.empty()) {
        EXPECT_EQ(w.description, content::kPlaceDescriptions.at(place));
    }
}

void PlayRoute(std::string_view file) {
    Game game;
    for (const route::Step& step : route::load(file)) {
        SCOPED_TRACE(testing::Message() << file << ":" << step.line);
        const Game before = game;
        route::play(game, route::resolve(game, step));
        ExpectConsistent(game);
        if (route::changesNothing(step)) {
            EXPECT_TRUE(game == before) << "the step changed the run";
        }
        for (const route::Check& check : step.checks) {
            if (check.what == "moment" || check.what == "unchanged") continue;
            EXPECT_EQ(route::seen(game, step, check.what), route::wanted(check)) << check.what;
        }
    }
}

TEST(WholeGame, TheRoadFromTheCrashToTheCave) {
    PlayRoute("road.txt");
}

// A player who wanders, asks twice and goes back, and still wins.
TEST(WholeGame, DetoursStillWin) {
    PlayRoute("detours.txt");
}

TEST(WholeGame, BadWordsChangeNothingAnywhereOnTheRoad) {
    const std::string huge(1 << 20, 'x');
    const std::string_view words[] = {
        "",           huge,           "\t\r\n\x01\x7f",     "\xff\xfe\xd0",
        "вертол\xd1", "вертолёт\0"sv, "вертолётhelicopter", "вepтoлёт" /* Latin e, p, o */,
        "ВЕРТОЛЁТ",
    };
    Game game;
    for (const route::Step& step : route::load("road.txt")) {
        route::play(game, route::resolve(game, step));
        for (std::string_view word : words) {
            const Game before = game;
            game.type(word);
            game.press(Verb::Examine);
            ASSERT_TRUE(game == before) << "road.txt:" << step.line << ", word of " << word.size();
        }
    }
    EXPECT_EQ(game.windows().ending(), Ending::Finale);
}

}  // namespace
}  // namespace tarvilon
