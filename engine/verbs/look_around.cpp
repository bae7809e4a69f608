#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using enum Flag;

// clang-format off
// The description of the current place; at level 9 the stage picks one of three.
constexpr std::array kLookAround = {
    //  condition                    store box copied into the description box
    row(level(1),                    describe(1)),
    row(level(2),                    describe(2)),
    row(level(3),                    describe(3)),
    row(level(4),                    describe(4)),
    row(level(5),                    describe(5)),
    row(level(6),                    describe(6)),
    row(level(7),                    describe(7)),
    row(level(8),                    describe(8)),
    row(level(9) & flag(T1, 0),      describe(9)),
    row(level(9) & flag(T1, 1),      describe(10)),
    row(level(9) & flag(T1, 2),      describe(11)),
    row(level(10),                   describe(12)),
};
// clang-format on

}  // namespace

std::span<const Row> lookAroundTable() {
    return kLookAround;
}

void lookAround(Game& game) {
    run(kLookAround, game);
}

}  // namespace tarvilon::verbs
