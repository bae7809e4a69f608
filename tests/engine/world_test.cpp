#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

TEST(FreshRun, StartsAtTheCrashSiteWithNothing) {
    const Game game;
    const World& w = game.world();
    EXPECT_EQ(w.levelText(), "1");
    EXPECT_EQ(w.healthText(), "25");
    for (Flag f : {Flag::T1, Flag::T2, Flag::T3, Flag::T4}) EXPECT_EQ(w.flagText(f), "0");
    EXPECT_EQ(test::StateOf(w), test::State{});  // empty slots and focus
    EXPECT_EQ(w.description + w.objectWord, "");
    EXPECT_EQ(w.shootCaption, text::kDigCaption);
    EXPECT_TRUE(game.introVisible() && game.splashVisible() && game.splashTimerRunning());
    EXPECT_TRUE(game.windows().mainEnabled());
    EXPECT_EQ(game.windows().ending(), Ending::None);
    for (Window win : kSecondaryWindows) EXPECT_FALSE(game.windows().created(win));
}

TEST(HealthText, HasNoFloor) {
    World w;
    for (auto [value, text] :
         {std::pair<std::int64_t, const char*>{0, "0"},
          {-25, "-25"},
          {-25'000'000'000, "-25000000000"},
          {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"}}) {
        w.health = value;
        EXPECT_EQ(w.healthText(), text);
    }
}

TEST(WindowProtocol, ShowCreatesOnceHideKeepsEndIsFinal) {
    Windows ws;
    EXPECT_TRUE(ws.show(Window::Stol));  // brought into being: the caller runs its load handler
    const Windows shown = ws;
    EXPECT_FALSE(ws.show(Window::Stol));  // already visible: nothing changes
    EXPECT_EQ(ws, shown);
    ws.hide(Window::Stol);
    EXPECT_FALSE(ws.visible(Window::Stol));
    EXPECT_TRUE(ws.created(Window::Stol));
    EXPECT_FALSE(ws.show(Window::Stol));  // shown again, never created again
    EXPECT_TRUE(ws.visible(Window::Stol));

    ws.end(Ending::Death);
    ws.end(Ending::Exit);
    EXPECT_EQ(ws.ending(), Ending::Death);
    EXPECT_FALSE(ws.visible(Window::Stol));  // every window vanishes with the run
}

void ClickMainWindow(Game& g) {
    g.type("тропинка");
    for (int v = 0; v <= static_cast<int>(Verb::PickUp); ++v) g.press(static_cast<Verb>(v));
    g.dismissIntro();
    g.openAbout();
    g.exit();
}

void ClickSecondaryWindows(Game& g) {
    for (int l = 0; l <= static_cast<int>(ForesterLine::Bye); ++l) g.ask(ForesterLine{l});
    for (int l = 0; l <= static_cast<int>(GuardLine::NoCoins); ++l) g.say(GuardLine{l});
    for (Card card : {Card::Left, Card::Middle, Card::Right}) g.turn(card);
    g.claimVictory();
    g.acceptDeath();
    g.finish();
    g.closeAbout();
}

TEST(Clicks, DisabledMainWindowIgnoresEverything) {
    Game game = test::GameAt({.focus = text::kPathToJungle});
    game.world().objectWord = "вертолёт";
    game.openAbout();
    const Game before = game;
    ClickMainWindow(game);
    EXPECT_TRUE(game == before);
}

TEST(Clicks, HiddenWindowsTakeNoClicks) {
    Game fresh;
    const Game untouched = fresh;
    ClickSecondaryWindows(fresh);
    EXPECT_TRUE(fresh == untouched);

    // Each dialogue and the cards played through and closed, then the world set back so that
    // a stray pay line or victory would show.
    Game game = test::GameAt({4, {}, {"", text::kCoins, ""}, 25, text::kForesterWillTalk});
    game.press(Verb::Talk);
    game.ask(ForesterLine::Bye);
    game.world().focus = text::kGuardListens;
    game.press(Verb::Talk);
    for (GuardLine l : {GuardLine::AreYouTheGuard, GuardLine::WhatIsHere, GuardLine::MayIEnter,
                        GuardLine::Pay, GuardLine::SeeYou})
        game.say(l);
    game.type("стол");
    game.press(Verb::Examine);
    game.turn(Card::Middle);
    game.claimVictory();
    game.openAbout();
    game.closeAbout();
    game.world().flags = {};
    game.world().setSlot(Slot::Goods, text::kCoins);
    const Game closed = game;
    ClickSecondaryWindows(game);
    EXPECT_TRUE(game == closed);
}

// A line or card number from outside the game (a bad cast, a stray accessibility call) must
// not read past the tables, even with the window up and taking clicks.
TEST(Clicks, LinesAndCardsOutOfRangeAreIgnored) {
    Game guard = test::GameAt({.level = 3, .focus = text::kGuardListens});
    guard.press(Verb::Talk);
    Game forester = test::GameAt({.level = 2, .focus = text::kForesterWillTalk});
    forester.press(Verb::Talk);
    Game cards = test::GameAt({.level = 4, .flags = {1, 0, 1, 0}});
    cards.type("стол");
    cards.press(Verb::Examine);
    ASSERT_TRUE(guard.windows().visible(Window::Musik));
    ASSERT_TRUE(forester.windows().visible(Window::Lesnik));
    ASSERT_TRUE(cards.windows().visible(Window::Stol));
    for (int bad : {-1, 6, 7, 255, 1 << 20}) {
        SCOPED_TRACE(bad);
        for (Game* g : {&guard, &forester, &cards}) {
            const Game before = *g;
            g->say(static_cast<GuardLine>(bad));
            g->ask(static_cast<ForesterLine>(bad));
            g->turn(static_cast<Card>(bad));
            EXPECT_TRUE(*g == before);
        }
    }
}

TEST(Clicks, NothingCountsAfterTheEnd) {
    for (Ending how : {Ending::Exit, Ending::Death, Ending::Finale}) {
        Game game = test::GameAt({.level = 4, .focus = text::kOnToLife});
        game.openAbout();  // its title would blink on, were the run not over
        game.closeAbout();
        if (how == Ending::Exit) game.exit();
        if (how == Ending::Death) {
            game.type("стол");
            game.press(Verb::Examine);
            game.turn(Card::Left);  // the fixed deal has death on both sides
            game.acceptDeath();
        }
        if (how == Ending::Finale) {
            game.press(Verb::Go);
            game.finish();
        }
        ASSERT_EQ(game.windows().ending(), how);
        const Game before = game;
        ClickMainWindow(game);
        ClickSecondaryWindows(game);
        game.blinkAboutTitle();
        game.splashTimerTick();
        game.requestClose(Window::Form1);
        EXPECT_TRUE(game == before) << static_cast<int>(how);
    }
}

TEST(CloseRequests, OnlyTheEndingAndMainWindowsGiveWay) {
    Game game = test::GameAt({.level = 2, .focus = text::kForesterWillTalk});
    game.press(Verb::Talk);
    for (Window w : kSecondaryWindows) {
        const Game before = game;
        game.requestClose(w);
        EXPECT_TRUE(game == before) << "window " << static_cast<int>(w);
    }
    game.requestClose(Window::Form1);  // even with a dialogue up
    EXPECT_EQ(game.windows().ending(), Ending::Exit);

    Game ending = test::GameAt({.level = 10, .focus = text::kOnToLife});
    ending.press(Verb::Go);
    ending.requestClose(Window::Form2);  // taken as "Конец..."
    EXPECT_EQ(ending.windows().ending(), Ending::Finale);
}

TEST(StartUp, SplashGoesOnTheFirstTickIntroOnItsOwnLabel) {
    Game game;
    game.dismissIntro();
    EXPECT_FALSE(game.introVisible());
    EXPECT_TRUE(game.splashVisible());
    game.splashTimerTick();
    EXPECT_FALSE(game.splashVisible() || game.splashTimerRunning());
}

}  // namespace
}  // namespace tarvilon
