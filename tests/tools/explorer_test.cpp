// The explorer's verdicts on the real game, and checks that its invariants and its folding of
// states are not vacuous.

#include "explorer.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "actions.hpp"
#include "invariants.hpp"

namespace tarvilon::explorer {
namespace {

using Kind = Action::Kind;

// One walk for the whole suite: it is the slow part.
const Exploration& walk() {
    static const Exploration e = explore();
    return e;
}

// Replays a path from a fresh start; every step must be a click the player could make.
Game replay(const Path& path) {
    Game g;
    for (std::size_t i = 0; i < path.actions.size(); ++i) {
        EXPECT_TRUE(canClick(g, path.actions[i])) << "step " << i + 1 << ": " << path.steps[i];
        apply(g, path.actions[i]);
    }
    return g;
}

TEST(Explorer, EveryInvariantHoldsInEveryReachableState) {
    const Exploration& e = walk();
    EXPECT_GT(e.states, 100000U);
    EXPECT_GT(e.endedByFinale, 0U);
    EXPECT_EQ(e.violationCount, 0U);
    for (const Violation& v : e.violations) ADD_FAILURE() << v.what;
}

TEST(Explorer, DeadEndsAreOnlyTheGamesOwn) {
    const std::set<std::string> expected = {std::string(kLostTheCards), std::string(kGuardAndSnake),
                                            std::string(kGuardAndAmulet)};
    std::set<std::string> found;
    for (const DeadEnd& d : walk().deadEnds) found.insert(d.cause);
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(walk().onlyKnownDeadEnds());
}

TEST(Explorer, EachDeadEndPathLeavesARunThatCannotGoOn) {
    for (const DeadEnd& d : walk().deadEnds) {
        SCOPED_TRACE(d.cause);
        const Game g = replay(d.path);
        EXPECT_FALSE(g.ended());
        EXPECT_FALSE(g.windows().mainEnabled());
        // No click the player can make there leads anywhere but the same window or death.
        for (const Action& a : playerActions()) {
            if (!canClick(g, a)) continue;
            Game next = g;
            apply(next, a);
            EXPECT_TRUE(next.windows().ending() == Ending::Death || !next.windows().mainEnabled())
                << describe(a, g);
        }
    }
}

TEST(Explorer, ShortestGamesReachTheEnd) {
    const Exploration& e = walk();
    // "пещера" answers at every level, and Идти never reads the level.
    EXPECT_EQ(e.shortestGame.actions.size(), 5U);
    EXPECT_EQ(e.shortestGameViaLevel10.actions.size(), 15U);
    for (const Path* p : {&e.shortestGame, &e.shortestGameViaLevel10}) {
        const Game g = replay(*p);
        EXPECT_EQ(g.windows().ending(), Ending::Finale);
        ASSERT_FALSE(p->steps.empty());
        EXPECT_EQ(p->steps.back(), "\"Конец...\"");
    }
    EXPECT_EQ(e.shortestGame.typedWords(), 2U);
    EXPECT_EQ(e.shortestGame.typedLetters(), 14U);  // "вертолёт" and "пещера", in letters
}

TEST(Explorer, ReportNamesWhatItLeavesOut) {
    const std::string r = report(walk());
    for (std::string_view a : kAbstracted) EXPECT_NE(r.find(a), std::string::npos) << a;
    EXPECT_NE(r.find("All hold."), std::string::npos);
    EXPECT_NE(r.find("ОБСЛЕДОВАТЬ \"вертолёт\""), std::string::npos);
}

TEST(Explorer, KnowsTheWholeVocabulary) {
    const auto words = knownObjectWords();
    EXPECT_EQ(words.size(), 33U);
    EXPECT_EQ(std::count(words.begin(), words.end(), kUnknownWord), 0);
    for (std::string_view w : {"вертолёт", "дух", "пещера", "ветка"})
        EXPECT_EQ(std::count(words.begin(), words.end(), w), 1) << w;
}

// The walk folds states that differ only in what it says no rule reads. Check the claim: two
// runs that differ only there must answer every click alike.
int expectFoldedCellsChangeNothing(const Game& g) {
    Game other = g;
    World& w = other.world();
    w.health = -975;
    w.description = "ничего";
    w.shootCaption = "Стрелять";
    if (!ruleTestsFocus(w.focus)) w.focus = "Здесь ничего нет";
    int compared = 0;
    for (const Action& a : playerActions()) {
        if (!canClick(g, a)) continue;
        Game mine = g;
        Game theirs = other;
        apply(mine, a);
        apply(theirs, a);
        World& t = theirs.world();
        t.health = mine.world().health;
        t.description = mine.world().description;
        t.shootCaption = mine.world().shootCaption;
        if (!ruleTestsFocus(t.focus) && !ruleTestsFocus(mine.world().focus))
            t.focus = mine.world().focus;
        EXPECT_TRUE(theirs == mine) << describe(a, g) << " at level " << g.world().level
                                    << ", focus \"" << g.world().focus << "\"";
        ++compared;
    }
    return compared;
}

// Runs to test claims on: random walks from a fresh run, from every level with the things its
// rules want, and from every point of the paths the walk found.
std::vector<Game> sampleRuns() {
    std::vector<Game> starts = {Game()};
    for (int level = World::kFirstLevel; level <= World::kLastLevel; ++level) {
        Game g;
        g.world().level = level;
        g.world().inventory = {"Автомат", "Амулет", "Стрела"};
        starts.push_back(g);
    }
    std::vector<const Path*> paths = {&walk().shortestGameViaLevel10};
    for (const DeadEnd& d : walk().deadEnds) paths.push_back(&d.path);
    for (const Path* p : paths) {
        Game g;
        for (const Action& a : p->actions) {
            apply(g, a);
            starts.push_back(g);
        }
    }
    std::mt19937 pick(7);
    const std::vector<Action> actions = playerActions();
    std::vector<Game> runs;
    for (Game g : starts) {
        for (int step = 0; step < 60 && !g.ended(); ++step) {
            runs.push_back(g);
            std::vector<const Action*> open;
            for (const Action& a : actions)
                if (canClick(g, a)) open.push_back(&a);
            apply(g, *open[pick() % open.size()]);
        }
    }
    return runs;
}

TEST(Explorer, FoldedCellsChangeNoOutcome) {
    int compared = 0;
    std::set<int> levels;
    for (const Game& g : sampleRuns()) {
        levels.insert(g.world().level);
        compared += expectFoldedCellsChangeNothing(g);
    }
    EXPECT_GT(compared, 10000);
    EXPECT_EQ(levels.size(), 10U) << ::testing::PrintToString(levels);
}

// The walk does not try what canClick() rules out; that is only sound if those change nothing.
TEST(Actions, ClicksRuledOutChangeNothing) {
    std::vector<Action> all = playerActions();
    all.push_back({Kind::DismissIntro, 0, {}});
    all.push_back({Kind::Type, 0, "вертолёт"});
    for (int line = 0; line < static_cast<int>(kGuardLineCount); ++line)
        all.push_back({Kind::Say, line, {}});
    int ruledOut = 0;
    for (const Game& g : sampleRuns())
        for (const Action& a : all) {
            if (canClick(g, a)) continue;
            Game next = g;
            apply(next, a);
            EXPECT_TRUE(next == g) << describe(a, g);
            ++ruledOut;
        }
    EXPECT_GT(ruledOut, 10000);
}

TEST(Actions, DescribedInThePlayersTerms) {
    const Game fresh;
    Game atMountainFoot;
    atMountainFoot.world().focus = "Теперь можно идти";
    atMountainFoot.press(Verb::Go);
    // Action{...} is spelled out: with bare braces GCC 12 at -O3 wrongly warns that a word may
    // be destroyed uninitialised.
    const struct {
        Action action;
        const Game& before;
        std::string expected;
    } cases[] = {
        {Action{Kind::Examine, 0, "вертолёт"}, fresh, "ОБСЛЕДОВАТЬ \"вертолёт\""},
        {Action{Kind::Press, static_cast<int>(Verb::DigShoot), {}}, fresh, "Копать"},
        {Action{Kind::Press, static_cast<int>(Verb::DigShoot), {}}, atMountainFoot, "Стрелять"},
        {Action{Kind::Ask, static_cast<int>(ForesterLine::Bye), {}}, fresh, "\"Пока!\""},
        {Action{Kind::Say, static_cast<int>(GuardLine::Pay), {}}, fresh,
         "\"Такие монеты пойдут? (Отдаёте 100 монет)\""},
        {Action{Kind::Turn, static_cast<int>(Card::Middle), {}}, fresh, "карта \"середина\""},
        {Action{Kind::Finish, 0, {}}, fresh, "\"Конец...\""},
        // Control bytes are shown escaped; long words are cut between letters.
        {Action{Kind::Type, 0, std::string("a\x01\x1b", 3)}, fresh, "ввод \"a\\x01\\x1b\""},
        {Action{Kind::Type, 0, std::string(31, 'x') + "ёёёёё"}, fresh,
         "ввод \"" + std::string(31, 'x') + "ёёёё…(41 bytes)\""},
    };
    for (const auto& c : cases) EXPECT_EQ(describe(c.action, c.before), c.expected);
}

// The checks the explorer and the fuzzer rely on must fire when something is wrong.
struct Corruption {
    const char* name;
    void (*corrupt)(World&);
    std::size_t invariant;  // index into stateInvariants()
};

TEST(Invariants, EachStateInvariantCatchesItsFault) {
    const Corruption cases[] = {
        {"level 0", [](World& w) { w.level = 0; }, 0},
        {"level 11", [](World& w) { w.level = 11; }, 0},
        {"flag 3", [](World& w) { w.setFlag(Flag::T4, 3); }, 1},
        {"flag -1", [](World& w) { w.setFlag(Flag::T1, -1); }, 1},
        {"snake as a weapon", [](World& w) { w.setSlot(Slot::Weapon, "Змея"); }, 2},
        {"Latin C in Стрела", [](World& w) { w.setSlot(Slot::Pouch, "Cтрела"); }, 4},
        {"coins in slot 3", [](World& w) { w.setSlot(Slot::Pouch, "100 монет"); }, 4},
        {"a bow in slot 2", [](World& w) { w.setSlot(Slot::Goods, "Лук"); }, 3},
    };
    EXPECT_TRUE(brokenInvariants(Game()).empty());
    for (const Corruption& c : cases) {
        Game g;
        c.corrupt(g.world());
        const auto broken = brokenInvariants(g);
        ASSERT_EQ(broken.size(), 1U) << c.name;
        EXPECT_EQ(broken[0].rfind(stateInvariants()[c.invariant], 0), 0U)
            << c.name << ": " << broken[0];
    }
}

TEST(Invariants, StepRulesCatchClicksThatShouldDoNothing) {
    Game aboutUp;
    aboutUp.openAbout();
    const Action go{Kind::Press, static_cast<int>(Verb::Go), {}};
    Game moved = aboutUp;
    moved.world().level = 2;
    EXPECT_EQ(brokenStepRules(aboutUp, go, moved).size(), 1U);
    EXPECT_TRUE(brokenStepRules(aboutUp, go, aboutUp).empty());

    Game ended;
    ended.exit();
    const Action tick{Kind::SplashTimerTick, 0, {}};
    Game changed = ended;
    changed.world().health = 0;
    EXPECT_EQ(brokenStepRules(ended, tick, changed).size(), 1U);

    // A real click on an open window is not a fault, whatever it changes.
    Game closed = aboutUp;
    closed.closeAbout();
    EXPECT_TRUE(brokenStepRules(aboutUp, {Kind::CloseAbout, 0, {}}, closed).empty());
}

}  // namespace
}  // namespace tarvilon::explorer
