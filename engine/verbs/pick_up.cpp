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
// Takes what the focus text offers.
constexpr std::array kPickUp = {
    //  focus text equals               further condition        effects                                               why
    row(focus(kFirstAidKit)           & level(1),                heal()),                                              // heals at the crash site only
    row(focus(kFirstAidKit),                                     set(T1, 1)),
    row(focus(kRifle),                                           put(Weapon, kRifle),      set(T2, 1)),
    row(focus(kCoins),                                           put(Goods, kCoins),       set(T3, 1)),
    row(focus(kSpear),                                           put(Pouch, kSpear),       set(T1, 1)),
    row(focus(kHealingPowder)         & level(2),                heal()),                                              // heals in the jungle only
    row(focus(kHealingPowder),                                   set(T2, 1)),
    row(focus(kHealerGivesPowder),                               heal(),                   set(T3, 1)),
    row(focus(kSnakeLair),                                       put(Goods, kSnake),       set(T1, 1)),
    row(focus(kSavageTrade)           & slot(Pouch, kSpear),     put(Weapon, kMachineGun), set(T2, 1), clear(Pouch)),  // the spear is tested before it goes
    row(focus(kBow),                                             put(Weapon, kBow),        set(T1, 1)),
    row(focus(kFlaskFound),                                      put(Pouch, kFlask),       set(T2, 1)),
    row(focus(kShamanSpeech),                                    put(Goods, kAmulet),      set(T1, 1)),
    row(focus(kArrow),                                           put(Pouch, kArrow),       set(T2, 1)),
};
// clang-format on

}  // namespace

std::span<const Row> pickUpTable() {
    return kPickUp;
}

void pickUp(Game& game) {
    run(kPickUp, game);
    game.world().focus.clear();
}

}  // namespace tarvilon::verbs
