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
// Rows that reset the flag their own group tests come last in the group: each row re-tests
// the condition, so an earlier reset would stop the rest of the group.
constexpr std::array kGo = {
    //  #     condition            effect
    /* 1*/ row(kToJungle,          toLevel(2)),
    /* 2*/ row(kToJungle,          set(T1, 0)),
    /* 3*/ row(kToJungle,          set(T2, 0)),
    /* 4*/ row(kToJungle,          set(T3, 0)),
    /* 5*/ row(kToVillageGate,     toLevel(3)),
    /* 6*/ row(kToVillageGate,     set(T1, 0)),
    /* 7*/ row(kToVillageGate,     set(T2, 0)),
    /* 8*/ row(kToVillage,         toLevel(4)),
    /* 9*/ row(kToVillage,         set(T1, 0)),
    /*10*/ row(kToRiver,           toLevel(5)),
    /*11*/ row(kToRiver,           set(T1, 0)),
    /*12*/ row(kToRiver,           set(T2, 0)),
    /*13*/ row(kToRiver,           set(T3, 0)),
    /*14*/ row(kToRiver,           set(T4, 0)),
    /*15*/ row(kToMountainFoot,    toLevel(6)),
    /*16*/ row(kToMountainFoot,    caption(kShootCaption)),
    /*17*/ row(kToMountainFoot,    set(T1, 0)),
    /*18*/ row(kToMountainFoot,    set(T2, 0)),
    /*19*/ row(kToMountainFoot,    set(T3, 0)),
    /*20*/ row(kToMountain,        toLevel(7)),
    /*21*/ row(kToMountain,        set(T1, 0)),
    /*22*/ row(kToMountain,        set(T2, 0)),
    /*23*/ row(kToShaman,          toLevel(8)),
    /*24*/ row(kToShaman,          set(T1, 0)),
    /*25*/ row(kToShaman,          set(T2, 0)),
    /*26*/ row(kToShaman,          set(T3, 0)),
    /*27*/ row(kToSpirits,         toLevel(9)),
    /*28*/ row(kToSpirits,         set(T1, 0)),
    /*29*/ row(kToSpirits,         set(T2, 0)),
    /*30*/ row(kPastFirstSpirit,   set(T1, 1)),
    /*31*/ row(kPastFirstSpirit,   set(T2, 0)),
    /*32*/ row(kPastSecondSpirit,  set(T1, 2)),
    /*33*/ row(kPastSecondSpirit,  set(T2, 0)),
    /*34*/ row(kPastSecondSpirit,  set(T3, 0)),
    /*35*/ row(kToCave,            put(Slot::Weapon, kPistol)),
    /*36*/ row(kToCave,            toLevel(10)),
    /*37*/ row(kToCave,            set(T1, 0)),
    /*38*/ row(kToCave,            set(T2, 0)),
    /*39*/ row(kToCave,            set(T3, 0)),
    /*40*/ row(kIntoTheCave,       set(T1, 0)),
    /*41*/ row(kIntoTheCave,       show(Window::Form2)),
    /*42*/ row(kIntoTheCave,       disableMain()),
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
