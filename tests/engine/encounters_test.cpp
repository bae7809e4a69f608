#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <tuple>
#include <utility>

#include "content/speeches.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

using namespace text;
using test::State;

TEST(Forester, AnswersAnyQuestionAndChangesNothingElse) {
    const State jungle{2, {0, 1, 0, 0}, {kRifle, kCoins, kSpear}, 75, kForesterWillTalk};
    Game game = test::GameAt(jungle);
    game.press(Verb::Talk);
    EXPECT_EQ(game.forester().answer, "");
    for (auto [line, answer] : {std::pair{ForesterLine::SeeYou, forester::kSeeYouAnswer},
                                {ForesterLine::WhoAreYou, forester::kNameAnswer},
                                {ForesterLine::ComeWithMe, forester::kComeWithMeAnswer},
                                {ForesterLine::Settlement, forester::kSettlementAnswer},
                                {ForesterLine::WhoAreYou, forester::kNameAnswer}}) {
        game.ask(line);
        EXPECT_EQ(game.forester().answer, answer);
        EXPECT_TRUE(game.windows().visible(Window::Lesnik));  // only "Пока!" closes
    }
    game.ask(ForesterLine::Bye);
    EXPECT_FALSE(game.windows().visible(Window::Lesnik));
    EXPECT_TRUE(game.windows().mainEnabled());
    EXPECT_EQ(test::StateOf(game.world()), jungle);

    game.press(Verb::Talk);  // the focus text is still his: he talks again, as he was left
    EXPECT_TRUE(game.windows().visible(Window::Lesnik));
    EXPECT_EQ(game.forester().answer, forester::kNameAnswer);
}

using Offered = std::array<bool, kGuardLineCount>;  // in GuardLine order

Game AtTheGate(std::string_view goods) {
    Game game = test::GameAt({3, {0, 0, 0, 0}, {kRifle, goods, kSpear}, 75, kGuardListens});
    game.press(Verb::Talk);
    return game;
}

TEST(Guard, RevealsOneLineAtATimeThenPayOrNoCoinsBySlotTwo) {
    for (auto [goods, pay, noCoins] : {std::tuple{kCoins, true, false},
                                       {std::string_view{}, false, true},
                                       {kSnake, false, false}}) {
        SCOPED_TRACE(goods);
        Game game = AtTheGate(goods);
        // offered:                              guard enter  what   pay    bye    no coins
        EXPECT_EQ(game.guard().offered, (Offered{true, false, false, false, false, false}));
        const Game opened = game;
        game.say(GuardLine::MayIEnter);  // not offered yet
        EXPECT_TRUE(game == opened);

        game.say(GuardLine::AreYouTheGuard);
        EXPECT_EQ(game.guard().answer, guard::kYesBlind);
        EXPECT_EQ(game.guard().offered, (Offered{true, false, true, false, false, false}));
        game.say(GuardLine::WhatIsHere);
        EXPECT_EQ(game.guard().answer, content::kVillageNews);
        game.say(GuardLine::AreYouTheGuard);  // asked again: answers, reveals nothing new
        EXPECT_EQ(game.guard().offered, (Offered{true, true, true, false, false, false}));
        game.say(GuardLine::MayIEnter);
        EXPECT_EQ(game.guard().answer, guard::kPrice);
        EXPECT_EQ(game.guard().offered, (Offered{true, true, true, pay, false, noCoins}));
    }
}

TEST(Guard, PayingTakesWhateverSlotTwoHoldsAndIsRemembered) {
    Game game = AtTheGate(kCoins);
    for (GuardLine l : {GuardLine::AreYouTheGuard, GuardLine::WhatIsHere, GuardLine::MayIEnter,
                        GuardLine::Pay, GuardLine::Pay}) {  // the pay line stays and repeats
        game.say(l);
    }
    EXPECT_EQ(game.guard().answer, guard::kTakesCoins);
    EXPECT_EQ(test::StateOf(game.world()),
              (State{3, {1, 0, 0, 0}, {kRifle, "", kSpear}, 75, kGuardListens}));
    game.say(GuardLine::SeeYou);
    EXPECT_FALSE(game.windows().visible(Window::Musik));
    EXPECT_TRUE(game.windows().mainEnabled());

    // Back at the gate later in the run, the flag reset on the way: the window is as it was
    // left, and the pay line takes the snake just the same.
    const Guard left = game.guard();
    game.world().setFlag(Flag::T1, 0);
    game.world().setSlot(Slot::Goods, kSnake);
    game.press(Verb::Talk);
    EXPECT_EQ(game.guard(), left);
    game.say(GuardLine::Pay);
    EXPECT_EQ(game.world().flag(Flag::T1), 1);
    EXPECT_EQ(game.world().slot(Slot::Goods), "");
}

Game AtTheTable() {
    Game game = test::GameAt({.level = 4, .flags = {1, 0, 1, 0}});
    game.type("стол");
    game.press(Verb::Examine);
    return game;
}

TEST(CardOfFate, EveryRunDealsLifeOnTheMiddleCard) {
    // Two fresh games stand in for two runs of the program: the generator is never seeded.
    for (int run = 0; run < 2; ++run) {
        const CardOfFate cards = AtTheTable().cards();
        EXPECT_EQ(cards.deal, 2);
        EXPECT_EQ(cards.words, (std::array<std::string_view, 3>{kDeath, kLife, kDeath}));
        EXPECT_EQ(cards.turned, (std::array<bool, 3>{}));
        EXPECT_EQ(cards.shown, (std::array<bool, 3>{true, true, true}));
        EXPECT_FALSE(cards.victoryShown || cards.deathShown);
    }
}

TEST(CardOfFate, TurningOneCardHidesTheOthersAndShowsItsResult) {
    for (Card card : {Card::Left, Card::Middle, Card::Right}) {
        SCOPED_TRACE(static_cast<int>(card));
        Game game = AtTheTable();
        const Game dealt = game;
        game.claimVictory();  // no result is up yet
        game.acceptDeath();
        EXPECT_TRUE(game == dealt);

        game.turn(card);
        for (Card c : {Card::Left, Card::Middle, Card::Right}) {
            EXPECT_EQ(game.cards().isTurned(c), c == card);  // written white: readable
            EXPECT_EQ(game.cards().isShown(c), c == card);
        }
        const bool life = card == Card::Middle;
        EXPECT_EQ(game.cards().victoryShown, life);
        EXPECT_EQ(game.cards().deathShown, !life);

        const Game turned = game;
        for (Card again : {Card::Left, Card::Middle, Card::Right}) game.turn(again);
        EXPECT_TRUE(game == turned);  // the turned card repeats itself; the others are gone
        if (life) continue;
        game.claimVictory();
        EXPECT_TRUE(game == turned);
        game.acceptDeath();
        EXPECT_EQ(game.windows().ending(), Ending::Death);
    }
}

TEST(CardOfFate, VictoryOpensTheRoadAndTheTableStaysAsLeft) {
    Game game = AtTheTable();
    game.turn(Card::Middle);
    game.claimVictory();
    EXPECT_EQ(test::StateOf(game.world()), (State{.level = 4, .flags = {1, 1, 1, 1}}));
    EXPECT_FALSE(game.windows().visible(Window::Stol));
    EXPECT_TRUE(game.windows().mainEnabled());

    // Back in the village with T2 reset: the window returns as it was, with no new deal.
    const CardOfFate won = game.cards();
    game.world().setFlag(Flag::T2, 0);
    game.type("стол");
    game.press(Verb::Examine);
    EXPECT_TRUE(game.windows().visible(Window::Stol));
    EXPECT_EQ(game.cards(), won);
}

TEST(AboutTitle, BlinksBlueThenGreenFromItsFirstShowOn) {
    using enum AboutTitle::Colour;
    Game game;
    game.blinkAboutTitle();  // the window, and so its timer, does not exist yet
    game.openAbout();
    EXPECT_EQ(game.aboutTitle().colour, Default);
    EXPECT_FALSE(game.windows().mainEnabled());
    for (auto colour : {DarkBlue, DarkGreen, DarkBlue, DarkGreen, DarkBlue}) {
        game.blinkAboutTitle();
        EXPECT_EQ(game.aboutTitle().colour, colour);
        game.closeAbout();  // it goes on blinking while hidden
    }
    EXPECT_TRUE(game.windows().mainEnabled());
    game.openAbout();  // the same window, and the main window disabled again
    EXPECT_EQ(game.aboutTitle().colour, DarkBlue);
    EXPECT_FALSE(game.windows().mainEnabled());
}

}  // namespace
}  // namespace tarvilon
