#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;

// clang-format off
// Spear and arrow are only announced (Pick up carries them); the rest are made on the spot.
constexpr std::array kCraft = {
    //  #     focus text equals               effects
    /* 1*/ row(focus(kBranchForSpear),        say(kSpear)),
    /* 2*/ row(focus(kBoardsForBridge),       set(T3, 1), say("Мост готов")),
    /* 3*/ row(focus(kRopeFound),             set(T2, 1), say("Вы смастерили канат")),
    /* 4*/ row(focus(kBranchesForDescent),    set(T3, 1), say(kDescentReady)),
    /* 5*/ row(focus(kTwigForArrow),          say(kArrow)),
    /* 6*/ row(focus(kRubble),                set(T1, 1), say("Вход свободен!")),
};
// clang-format on

}  // namespace

std::span<const Row> craftTable() {
    return kCraft;
}

void craft(Game& game) {
    run(kCraft, game);
}

}  // namespace tarvilon::verbs
