#include "encounters/guard.hpp"

#include "content/speeches.hpp"
#include "content/texts.hpp"
#include "world/world.hpp"

namespace tarvilon {

void Guard::say(GuardLine line, World& world) {
    switch (line) {
        case GuardLine::AreYouTheGuard:
            answer = guard::kYesBlind;
            reveal(GuardLine::WhatIsHere);
            break;
        case GuardLine::WhatIsHere:
            answer = content::kVillageNews;
            reveal(GuardLine::MayIEnter);
            break;
        case GuardLine::MayIEnter:
            answer = guard::kPrice;
            if (world.slot(Slot::Goods) == text::kCoins) reveal(GuardLine::Pay);
            if (world.slot(Slot::Goods).empty()) reveal(GuardLine::NoCoins);
            break;
        case GuardLine::Pay:
            // The line checks nothing itself: once offered it takes whatever slot 2 holds.
            answer = guard::kTakesCoins;
            reveal(GuardLine::SeeYou);
            world.setFlag(Flag::T1, 1);
            world.setSlot(Slot::Goods, "");
            break;
        case GuardLine::NoCoins:
            answer = guard::kGetLost;
            reveal(GuardLine::SeeYou);
            break;
        case GuardLine::SeeYou:
            break;
    }
}

}  // namespace tarvilon
