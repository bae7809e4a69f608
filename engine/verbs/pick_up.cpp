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
// Takes what the focus text offers. Row 10 tests slot 3 before its own effects empty it.
constexpr std::array kPickUp = {
    //  #     focus text equals                further condition        effects
    /* 1*/ row(focus(kFirstAidKit)           & level(1),                heal()),
    /* 2*/ row(focus(kFirstAidKit),                                     set(T1, 1)),
    /* 3*/ row(focus(kRifle),                                           put(Weapon, kRifle),      set(T2, 1)),
    /* 4*/ row(focus(kCoins),                                           put(Goods, kCoins),       set(T3, 1)),
    /* 5*/ row(focus(kSpear),                                           put(Pouch, kSpear),       set(T1, 1)),
    /* 6*/ row(focus(kHealingPowder)         & level(2),                heal()),
    /* 7*/ row(focus(kHealingPowder),                                   set(T2, 1)),
    /* 8*/ row(focus(kHealerGivesPowder),                               heal(),                   set(T3, 1)),
    /* 9*/ row(focus(kSnakeLair),                                       put(Goods, kSnake),       set(T1, 1)),
    /*10*/ row(focus(kSavageTrade)           & slot(Pouch, kSpear),     put(Weapon, kMachineGun), set(T2, 1), clear(Pouch)),
    /*11*/ row(focus(kBow),                                             put(Weapon, kBow),        set(T1, 1)),
    /*12*/ row(focus(kFlaskFound),                                      put(Pouch, kFlask),       set(T2, 1)),
    /*13*/ row(focus(kShamanSpeech),                                    put(Goods, kAmulet),      set(T1, 1)),
    /*14*/ row(focus(kArrow),                                           put(Pouch, kArrow),       set(T2, 1)),
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
