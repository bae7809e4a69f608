#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;

// The answers that let the player on, one group of rows each. Go never reads the level.
constexpr Condition kToJungle = focus(kPathToJungle);
constexpr Condition kToVillageGate = focus(kSignToVillage);
constexpr Condition kToVillage = focus(kMayPass);
constexpr Condition kToRiver = focus(kRoadIsClear);
constexpr Condition kToMountainFoot = focus(kBridgeReady);
constexpr Condition kToMountain = focus(kCanClimb);
constexpr Condition kToShaman = focus(kDescentReady) | focus(kOnlyDescentLeft);
constexpr Condition kToSpirits = focus(kIntoSpiritLand);
constexpr Condition kPastFirstSpirit = (flag(T2, 1) & focus(kSpiritHarmless)) | focus(kKilled);
constexpr Condition kPastSecondSpirit = (flag(T3, 1) & focus(kSpiritDefeated)) | focus(kFinished);
constexpr Condition kToCave = (flag(T3, 1) & focus(kAllBehind)) | focus(kDissolved);
constexpr Condition kIntoTheCave = focus(kOnToLife);

// clang-format off
// A row that resets a flag its own group tests comes last in the group: each row re-tests the
// condition, so an earlier reset would stop the rest of the group.
constexpr std::array kGo = {
    //  condition           effect        why
    row(kToJungle,          toLevel(2)),
    row(kToJungle,          set(T1, 0)),
    row(kToJungle,          set(T2, 0)),
    row(kToJungle,          set(T3, 0)),
    row(kToVillageGate,     toLevel(3)),
    row(kToVillageGate,     set(T1, 0)),
    row(kToVillageGate,     set(T2, 0)),
    row(kToVillage,         toLevel(4)),
    row(kToVillage,         set(T1, 0)),
    row(kToRiver,           toLevel(5)),
    row(kToRiver,           set(T1, 0)),
    row(kToRiver,           set(T2, 0)),
    row(kToRiver,           set(T3, 0)),
    row(kToRiver,           set(T4, 0)),
    row(kToMountainFoot,    toLevel(6)),
    row(kToMountainFoot,    caption(kShootCaption)),
    row(kToMountainFoot,    set(T1, 0)),
    row(kToMountainFoot,    set(T2, 0)),
    row(kToMountainFoot,    set(T3, 0)),
    row(kToMountain,        toLevel(7)),
    row(kToMountain,        set(T1, 0)),
    row(kToMountain,        set(T2, 0)),
    row(kToShaman,          toLevel(8)),
    row(kToShaman,          set(T1, 0)),
    row(kToShaman,          set(T2, 0)),
    row(kToShaman,          set(T3, 0)),
    row(kToSpirits,         toLevel(9)),
    row(kToSpirits,         set(T1, 0)),
    row(kToSpirits,         set(T2, 0)),
    row(kPastFirstSpirit,   set(T1, 1)),
    row(kPastFirstSpirit,   set(T2, 0)),  // last: its group tests T2
    row(kPastSecondSpirit,  set(T1, 2)),
    row(kPastSecondSpirit,  set(T2, 0)),
    row(kPastSecondSpirit,  set(T3, 0)),  // last: its group tests T3
    row(kToCave,            put(Slot::Weapon, kPistol)),
    row(kToCave,            toLevel(10)),
    row(kToCave,            set(T1, 0)),
    row(kToCave,            set(T2, 0)),
    row(kToCave,            set(T3, 0)),  // last: its group tests T3
    row(kIntoTheCave,       set(T1, 0)),
    row(kIntoTheCave,       show(Window::Form2)),
    row(kIntoTheCave,       disableMain()),
};
// clang-format on

}  // namespace

std::span<const Row> goTable() {
    return kGo;
}

void go(Game& game) {
    run(kGo, game);
    World& w = game.world();
    w.description.clear();
    w.focus.clear();
    w.objectWord.clear();
}

}  // namespace tarvilon::verbs
