#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;
using enum Slot;

// clang-format off
// One table under both captions, "Копать" and "Стрелять". Order carries the monster fight:
// row 3 sees slot 1 before row 4 empties it, and row 6 kills with any weapon that rows 3 and
// 5 did not already turn away (their new answer no longer matches).
constexpr std::array kDigShoot = {
    //  #     focus text equals          further condition                             effects
    /* 1*/ row(focus(kPlaqueArrowDown),                                                say(kHealingPowder)),
    /* 2*/ row(focus(kMonsterMustDie)  & slot(Weapon, kMachineGun),                    set(T1, 1)),
    /* 3*/ row(focus(kMonsterMustDie)  & emptySlot(Weapon),                            say(kWrongWeapon)),
    /* 4*/ row(focus(kMonsterMustDie)  & slot(Weapon, kMachineGun),                    clear(Weapon)),
    /* 5*/ row(focus(kMonsterMustDie)  & slot(Weapon, kRifle),                         say(kWrongWeapon)),
    /* 6*/ row(focus(kMonsterMustDie),                                                 say(kKilled)),
    /* 7*/ row(focus(kSpiritAttacks)   & slot(Goods, kAmulet) & slot(Pouch, kArrow),   set(T2, 1), clear(Pouch), say(kKilled)),
    /* 8*/ row(focus(kSpiritAttacks)   & slot(Pouch, kArrow),                          say("Нет амулета")),
    /* 9*/ row(focus(kSpiritAttacks),                                                  say("Чем его убивать")),
    /*10*/ row(focus(kSpiritShoots)    & slot(Pouch, kArrow),                          set(T3, 1), clear(Pouch), say(kFinished)),
    /*11*/ row(focus(kSpiritClose)     & slot(Pouch, kArrow),                          set(T3, 1), clear(Pouch), say(kDissolved)),
};
// clang-format on

}  // namespace

std::span<const Row> digShootTable() {
    return kDigShoot;
}

void digShoot(Game& game) {
    run(kDigShoot, game);
}

}  // namespace tarvilon::verbs
