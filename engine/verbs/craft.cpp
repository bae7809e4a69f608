#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;

// clang-format off
// Makes what the focus text describes.
constexpr std::array kCraft = {
    //  focus text equals              effects        why
    row(focus(kBranchForSpear),        say(kSpear)),  // only announced: Pick up carries it
    row(focus(kBoardsForBridge),       set(T3, 1), say("Мост готов")),
    row(focus(kRopeFound),             set(T2, 1), say("Вы смастерили канат")),
    row(focus(kBranchesForDescent),    set(T3, 1), say(kDescentReady)),
    row(focus(kTwigForArrow),          say(kArrow)),  // only announced: Pick up carries it
    row(focus(kRubble),                set(T1, 1), say("Вход свободен!")),
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
