#include "encounters/card_of_fate.hpp"

#include "content/texts.hpp"

namespace tarvilon {
namespace {

using text::kDeath;
using text::kLife;

struct DealRule {
    int deal;
    Card card;
    std::string_view word;
};

// clang-format off
// Life is on the right card for 0, the left for 1 and the middle for 2.
constexpr std::array kDealRules = {
    //       deal  card           word
    DealRule{0,    Card::Left,    kDeath},
    DealRule{0,    Card::Middle,  kDeath},
    DealRule{0,    Card::Right,   kLife},
    DealRule{1,    Card::Left,    kLife},
    DealRule{1,    Card::Middle,  kDeath},
    DealRule{1,    Card::Right,   kDeath},
    DealRule{2,    Card::Left,    kDeath},
    DealRule{2,    Card::Middle,  kLife},
    DealRule{2,    Card::Right,   kDeath},
};
// clang-format on

}  // namespace

void CardOfFate::dealFrom(Chance& chance) {
    constexpr int kCards = 3;
    deal = static_cast<int>(kCards * chance.next());
    for (const DealRule& rule : kDealRules)
        if (rule.deal == deal) words[index(rule.card)] = rule.word;
}

void CardOfFate::turn(Card card) {
    turned[index(card)] = true;
    if (word(card) == kLife) victoryShown = true;
    if (word(card) == kDeath) deathShown = true;
    for (Card other : {Card::Left, Card::Middle, Card::Right})
        if (other != card) shown[index(other)] = false;
}

}  // namespace tarvilon
