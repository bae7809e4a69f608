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
// One table under both captions, "Копать" and "Стрелять". Order carries the monster fight and
// the first spirit: a row's answer stops the later rows that test the focus text it replaced.
constexpr std::array kDigShoot = {
    //  focus text equals         further condition                             effects                   why
    row(focus(kPlaqueArrowDown),                                                say(kHealingPowder)),
    row(focus(kMonsterMustDie)  & slot(Weapon, kMachineGun),                    set(T1, 1)),              // the gun goes later, after the bare-hands test
    row(focus(kMonsterMustDie)  & emptySlot(Weapon),                            say(kWrongWeapon)),       // before the gun is spent, or it reads as bare hands
    row(focus(kMonsterMustDie)  & slot(Weapon, kMachineGun),                    clear(Weapon)),           // after the bare-hands test
    row(focus(kMonsterMustDie)  & slot(Weapon, kRifle),                         say(kWrongWeapon)),       // its answer stops the kill
    row(focus(kMonsterMustDie),                                                 say(kKilled)),            // any weapon not turned away above
    row(focus(kSpiritAttacks)   & slot(Goods, kAmulet) & slot(Pouch, kArrow),   set(T2, 1), clear(Pouch), say(kKilled)),
    row(focus(kSpiritAttacks)   & slot(Pouch, kArrow),                          say("Нет амулета")),      // not after the kill: its answer no longer matches
    row(focus(kSpiritAttacks),                                                  say("Чем его убивать")),  // nor after either answer above
    row(focus(kSpiritShoots)    & slot(Pouch, kArrow),                          set(T3, 1), clear(Pouch), say(kFinished)),
    row(focus(kSpiritClose)     & slot(Pouch, kArrow),                          set(T3, 1), clear(Pouch), say(kDissolved)),
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
