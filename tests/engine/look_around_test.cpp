#include <gtest/gtest.h>

#include <cstddef>

#include "content/places.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using content::kPlaceDescriptions;

struct Place {
    int level;
    int t1;
    std::size_t box;  // index into kPlaceDescriptions
};

// clang-format off
constexpr Place kPlaces[] = {
    {1, 0, 0}, {2, 0, 1}, {3, 0, 2}, {4, 0, 3}, {5, 0, 4}, {6, 0, 5}, {7, 0, 6}, {8, 0, 7},
    {9, 0, 8}, {9, 1, 9}, {9, 2, 10},
    {10, 0, 11},
};
// clang-format on

TEST(LookAround, DescribesEachPlaceAndSpiritStage) {
    for (const Place& p : kPlaces) {
        SCOPED_TRACE(testing::Message() << "level " << p.level << ", T1 " << p.t1);
        Game game = test::GameAt({.level = p.level, .flags = {p.t1, 1, 1, 1},
                                  .slots = {"Лук", "Змея", "Фляга"}, .focus = "Лук"});
        game.world().objectWord = "дух";
        const test::State before = test::StateOf(game.world());
        game.press(Verb::LookAround);
        EXPECT_EQ(game.world().description, kPlaceDescriptions[p.box]);
        // Nothing but the description box changes, and a second press gives the same text.
        EXPECT_EQ(test::StateOf(game.world()), before);
        EXPECT_EQ(game.world().objectWord, "дух");
        game.press(Verb::LookAround);
        EXPECT_EQ(game.world().description, kPlaceDescriptions[p.box]);
    }
}

TEST(LookAround, OutsideTheLevelNineStagesT1PlaysNoPart) {
    for (int level = 1; level <= 10; ++level) {
        if (level == 9) continue;
        for (int t1 : {1, 2, 7}) {
            Game game = test::GameAt({.level = level, .flags = {t1, 0, 0, 0}});
            game.press(Verb::LookAround);
            EXPECT_EQ(game.world().description, kPlaceDescriptions[level == 10 ? 11 : level - 1])
                << "level " << level << ", T1 " << t1;
        }
    }
}

TEST(LookAround, UnknownStageOrLevelKeepsTheBox) {
    for (const test::State& s : {test::State{.level = 9, .flags = {3, 0, 0, 0}},
                                 test::State{.level = 9, .flags = {-1, 0, 0, 0}},
                                 test::State{.level = 0}, test::State{.level = 11}}) {
        Game game = test::GameAt(s);
        game.world().description = "прежнее описание";
        game.press(Verb::LookAround);
        EXPECT_EQ(game.world().description, "прежнее описание") << "level " << s.level;
    }
}

TEST(LookAround, AfterGoTheBoxIsEmptyUntilLookedAgain) {
    Game game = test::GameAt({.level = 9, .flags = {0, 1, 0, 0}, .focus = "Убит"});
    game.press(Verb::LookAround);
    game.press(Verb::Go);  // first spirit passed: same level, next stage
    EXPECT_EQ(game.world().description, "");
    game.press(Verb::LookAround);
    EXPECT_EQ(game.world().description, kPlaceDescriptions[9]);
}

}  // namespace
}  // namespace tarvilon
