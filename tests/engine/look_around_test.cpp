#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using content::kPlaceDescriptions;
using namespace text;

TEST(LookAround, DescribesThePlaceAndOnlyThatBox) {
    for (int level = 1; level <= 10; ++level) {
        for (int t1 : {0, 1, 2}) {  // read at level 9 only
            SCOPED_TRACE("level " + std::to_string(level) + ", " +
                         describeFlag(level, Flag::T1, t1));
            const test::State s{level, {t1, 1, 1, 1}, {kBow, kSnake, kFlask}, -25, kBow};
            Game game = test::GameAt(s);
            game.world().objectWord = "дух";
            game.press(Verb::LookAround);
            const std::size_t box = level < 9 ? level - 1 : level == 9 ? 8 + t1 : 11;
            EXPECT_EQ(game.world().description, kPlaceDescriptions[box]);
            EXPECT_EQ(test::StateOf(game.world()), s);
            EXPECT_EQ(game.world().objectWord, "дух");
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

}  // namespace
}  // namespace tarvilon
