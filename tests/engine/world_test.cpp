#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"

namespace tarvilon {
namespace {

constexpr Window kAllWindows[] = {Window::Info, Window::Lesnik, Window::Musik, Window::Stol,
                                  Window::Form2};

TEST(FreshRun, StartsAtTheCrashSiteWithNothing) {
    const Game game;
    const World& w = game.world();
    EXPECT_EQ(w.levelText(), "1");
    EXPECT_EQ(w.healthText(), "25");
    EXPECT_EQ(test::StateOf(w), test::State{});
    for (Flag f : {Flag::T1, Flag::T2, Flag::T3, Flag::T4}) EXPECT_EQ(w.flagText(f), "0");
    EXPECT_EQ(w.description, "");
    EXPECT_EQ(w.objectWord, "");
    EXPECT_EQ(w.shootCaption, text::kDigCaption);

    EXPECT_TRUE(game.introVisible());
    EXPECT_TRUE(game.splashVisible());
    EXPECT_TRUE(game.splashTimerRunning());
    EXPECT_TRUE(game.windows().mainEnabled());
    EXPECT_FALSE(game.ended());
    EXPECT_EQ(game.windows().ending(), Ending::None);
    for (Window win : kAllWindows) EXPECT_FALSE(game.windows().created(win));
}

TEST(NumberText, ShortestDecimalWithLeadingMinus) {
    const struct {
        std::int64_t value;
        std::string_view text;
    } cases[] = {
        {25, "25"},
        {0, "0"},
        {-25, "-25"},
        {-25'000'000'000, "-25000000000"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& c : cases) {
        World w;
        w.health = c.value;
        EXPECT_EQ(w.healthText(), c.text);
        EXPECT_EQ(numberText(c.value), c.text);
    }
}

TEST(WindowProtocol, ShowCreatesOnceHideKeepsEndIsFinal) {
    Windows ws;
    EXPECT_TRUE(ws.show(Window::Stol));  // brings it into being: the load handler runs
    EXPECT_TRUE(ws.visible(Window::Stol));
    const Windows shown = ws;
    EXPECT_FALSE(ws.show(Window::Stol));  // already visible: nothing changes
    EXPECT_EQ(ws, shown);

    ws.hide(Window::Stol);
    EXPECT_FALSE(ws.visible(Window::Stol));
    EXPECT_TRUE(ws.created(Window::Stol));
    EXPECT_FALSE(ws.show(Window::Stol));  // shown again, not created again
    EXPECT_FALSE(ws.created(Window::Info));

    ws.disableMain();
    EXPECT_FALSE(ws.mainEnabled());
    ws.enableMain();
    EXPECT_TRUE(ws.mainEnabled());

    ws.end(Ending::Death);
    ws.end(Ending::Exit);
    EXPECT_EQ(ws.ending(), Ending::Death);
    EXPECT_FALSE(ws.visible(Window::Stol));  // everything vanishes with the run
}

// Every click the main window offers.
void ClickMainWindow(Game& g) {
    g.type("тропинка");
    for (int v = 0; v <= static_cast<int>(Verb::PickUp); ++v) g.press(static_cast<Verb>(v));
    g.dismissIntro();
    g.openAbout();
    g.exit();
}

// The clicks that belong to the secondary windows.
void ClickEverySecondaryWindow(Game& g) {
    for (int l = 0; l <= static_cast<int>(ForesterLine::Bye); ++l)
        g.ask(static_cast<ForesterLine>(l));
    for (int l = 0; l <= static_cast<int>(GuardLine::NoCoins); ++l) g.say(static_cast<GuardLine>(l));
    for (Card card : {Card::Left, Card::Middle, Card::Right}) g.turn(card);
    g.claimVictory();
    g.acceptDeath();
    g.finish();
    g.closeAbout();
}

TEST(Clicks, MainWindowIgnoresEverythingWhileDisabled) {
    Game game = test::GameAt({.focus = text::kPathToJungle});
    game.world().objectWord = "вертолёт";
    game.openAbout();
    ASSERT_FALSE(game.windows().mainEnabled());
    const Game before = game;
    ClickMainWindow(game);
    EXPECT_TRUE(game == before);
}

TEST(Clicks, HiddenWindowsTakeNoClicks) {
    Game fresh;
    const Game freshBefore = fresh;
    ClickEverySecondaryWindow(fresh);
    EXPECT_TRUE(fresh == freshBefore);

    // Every window but the ending has been up once and closed by its own control.
    Game game = test::GameAt({.level = 4, .focus = text::kForesterWillTalk});
    game.press(Verb::Talk);
    game.ask(ForesterLine::Bye);
    game.world().focus = text::kGuardListens;
    game.press(Verb::Talk);
    for (GuardLine l : {GuardLine::AreYouTheGuard, GuardLine::WhatIsHere, GuardLine::MayIEnter,
                        GuardLine::NoCoins, GuardLine::SeeYou})
        game.say(l);
    game.openAbout();
    game.closeAbout();
    game.type("стол");
    game.press(Verb::Examine);
    game.turn(Card::Middle);
    game.claimVictory();
    for (Window w : kAllWindows) EXPECT_EQ(game.windows().created(w), w != Window::Form2);
    ASSERT_FALSE(game.windows().anySecondaryVisible());
    ASSERT_TRUE(game.windows().mainEnabled());

    const Game before = game;
    ClickEverySecondaryWindow(game);
    EXPECT_TRUE(game == before);
}

TEST(Clicks, NothingAfterTheEnd) {
    for (Ending how : {Ending::Exit, Ending::Death, Ending::Finale}) {
        SCOPED_TRACE(static_cast<int>(how));
        Game game = test::GameAt({.level = 4, .focus = text::kOnToLife});
        game.openAbout();  // the about title would tick on, were the run not over
        game.closeAbout();
        if (how == Ending::Exit) game.exit();
        if (how == Ending::Finale) {
            game.press(Verb::Go);
            game.finish();
        }
        if (how == Ending::Death) {
            game.type("стол");
            game.press(Verb::Examine);
            game.turn(Card::Left);  // the golden deal has death on both sides
            game.acceptDeath();
        }
        ASSERT_EQ(game.windows().ending(), how);
        const Game before = game;
        ClickMainWindow(game);
        ClickEverySecondaryWindow(game);
        game.blinkAboutTitle();
        game.splashTimerTick();
        game.requestClose(Window::Form2);
        game.requestCloseMain();
        EXPECT_TRUE(game == before);
    }
}

TEST(CloseRequests, OnlyTheEndingAndMainWindowsGiveWay) {
    Game game = test::GameAt({.level = 4, .focus = text::kForesterWillTalk});
    game.press(Verb::Talk);
    game.openAbout();  // ignored: the forester window has disabled the main window
    for (Window w : kAllWindows) {
        const Game before = game;
        game.requestClose(w);
        EXPECT_TRUE(game == before) << "window " << static_cast<int>(w);
    }

    Game ending = test::GameAt({.level = 10, .focus = text::kOnToLife});
    ending.press(Verb::Go);
    ending.requestClose(Window::Form2);
    EXPECT_EQ(ending.windows().ending(), Ending::Finale);

    game.requestCloseMain();  // even with a dialogue up
    EXPECT_EQ(game.windows().ending(), Ending::Exit);
}

TEST(StartUp, SplashGoesOnTheFirstTickIntroOnDalee) {
    Game game;
    game.dismissIntro();  // independent of the splash
    EXPECT_FALSE(game.introVisible());
    EXPECT_TRUE(game.splashVisible());
    game.splashTimerTick();
    EXPECT_FALSE(game.splashVisible());
    EXPECT_FALSE(game.splashTimerRunning());
    const Game before = game;
    game.splashTimerTick();
    EXPECT_TRUE(game == before);
}

TEST(StartUp, VerbsWorkWhileTheIntroIsUp) {
    Game game;
    game.press(Verb::LookAround);
    EXPECT_TRUE(game.introVisible());
    EXPECT_FALSE(game.world().description.empty());
}

}  // namespace
}  // namespace tarvilon
