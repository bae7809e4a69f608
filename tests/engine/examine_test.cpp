#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon {
namespace {

using namespace std::string_view_literals;
using namespace text;

constexpr std::string_view kEarlier = "прежний ответ";
constexpr std::string_view kCutTree =
    "Странное дерево со множеством красивых и прямых веток, но уже без одной";

constexpr std::array<std::string_view, 3> kCarried = {kRifle, kCoins, kSpear};

// Examine writes only the focus text and health; everything else must come through as it was.
struct ExamineCase {
    const char* name;
    int level;
    std::array<int, 4> flags;
    std::int64_t health;
    std::string_view focus;
    std::string_view word;
    std::string_view newFocus;
    std::int64_t newHealth;
};

// clang-format off
const ExamineCase kCases[] = {
    // name                       level  flags         hp  focus          word            answer                               hp
    {"exact word",                1,     {0, 0, 0, 0}, 25, kEarlier,      "вертолёт",     kFirstAidKit,                        25},
    {"capital letter",            1,     {0, 0, 0, 0}, 25, kEarlier,      "Вертолёт",     kEarlier,                            25},
    {"е for ё",                   1,     {0, 0, 0, 0}, 25, kEarlier,      "вертолет",     kEarlier,                            25},
    {"trailing blank",            1,     {0, 0, 0, 0}, 25, kEarlier,      "вертолёт ",    kEarlier,                            25},
    {"embedded NUL",              1,     {0, 0, 0, 0}, 25, kEarlier,      "вертолёт\0"sv, kEarlier,                            25},
    {"empty word",                1,     {0, 0, 0, 0}, 25, kEarlier,      "",             kEarlier,                            25},
    {"word of another level",     2,     {0, 0, 0, 0}, 25, kEarlier,      "вертолёт",     kEarlier,                            25},
    {"kit taken",                 1,     {1, 0, 0, 0}, 25, kEarlier,      "вертолёт",     "Здесь ничего нет",                  25},
    // The branch follows only the strange tree's own answer, at any level.
    {"branch after the tree",     5,     {0, 0, 0, 0}, 25, kStrangeTree,  "ветка",        kBranchForSpear,                     25},
    {"branch after the cut tree", 2,     {1, 0, 0, 0}, 25, kCutTree,      "ветка",        kCutTree,                            25},
    {"branch after nothing",      2,     {0, 0, 0, 0}, 25, "",            "ветка",        "",                                  25},
    // The second spirit both answers and wounds, without a floor.
    {"spirit wounds",             1,     {1, 0, 0, 0}, 25, kEarlier,      "дух",          kSpiritShoots,                       0},
    {"spirit wounds again",       1,     {1, 0, 0, 0}, 0,  kSpiritShoots, "дух",          kSpiritShoots,                       -25},
    {"second spirit shot",        9,     {1, 0, 1, 0}, 25, kEarlier,      "дух",          kSpiritDefeated,                     25},
    {"third spirit",              9,     {2, 0, 0, 0}, 25, kEarlier,      "дух",          kSpiritClose,                        25},
    {"first spirit",              9,     {0, 0, 0, 0}, 25, kEarlier,      "дух",          kSpiritAttacks,                      25},
    {"first spirit beaten",       9,     {0, 1, 0, 0}, 25, kEarlier,      "дух",          kSpiritHarmless,                     25},
    {"packet with an arrow",      9,     {0, 0, 0, 0}, 25, kEarlier,      "пакет",        kArrow,                              25},
    {"packet emptied",            9,     {0, 1, 0, 0}, 25, kEarlier,      "пакет",        "Пустой пакет",                      25},
    // Rules without a level answer wherever their flags hold.
    {"cave at the crash site",    1,     {1, 0, 0, 0}, 25, kEarlier,      "пещера",       kOnToLife,                           25},
    {"rubble in the village",     4,     {0, 0, 0, 0}, 25, kEarlier,      "завал",        kRubble,                             25},
    {"rope at the gate",          3,     {1, 1, 0, 0}, 25, kEarlier,      "канат",        kCanClimb,                           25},
    {"rope, a gap in the rules",  6,     {1, 0, 0, 0}, 25, kEarlier,      "канат",        kEarlier,                            25},
    {"cards played",              4,     {0, 1, 0, 0}, 25, kEarlier,      "стол",         "Вам хватило одного раза поиграть.", 25},
};
// clang-format on

TEST(Examine, AnswersByWordLevelFlagsAndFocus) {
    for (const ExamineCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt({c.level, c.flags, kCarried, c.health, c.focus});
        game.type(c.word);
        game.press(Verb::Examine);
        EXPECT_EQ(test::StateOf(game.world()),
                  (test::State{c.level, c.flags, kCarried, c.newHealth, c.newFocus}));
        EXPECT_EQ(game.world().objectWord, "");  // emptied on every press
        EXPECT_TRUE(game.windows().mainEnabled());
    }
}

TEST(Examine, PathAnswersAtEveryLevelWhateverTheFlags) {
    for (int level = 1; level <= 10; ++level) {
        for (int t : {0, 1, 2}) {
            Game game = test::GameAt({.level = level, .flags = {t, t, t, t}});
            game.type("тропинка");
            game.press(Verb::Examine);
            EXPECT_EQ(game.world().focus, kPathToJungle) << "level " << level << ", flags " << t;
        }
    }
}

TEST(Examine, TableOpensTheCardsAndKeepsTheFocus) {
    Game game = test::GameAt({.level = 4, .focus = kEarlier});
    game.type("стол");
    game.press(Verb::Examine);
    EXPECT_TRUE(game.windows().visible(Window::Stol));
    EXPECT_FALSE(game.windows().mainEnabled());
    EXPECT_EQ(game.cards().deal, 2);
    EXPECT_EQ(test::StateOf(game.world()), (test::State{.level = 4, .focus = kEarlier}));
    EXPECT_EQ(game.world().objectWord, "");
}

// Properties of the rule tables themselves.

using rules::Effect;
using rules::Row;
using RuleTest = rules::Test;
using Key = std::tuple<RuleTest::On, int, int, std::string_view>;

const std::span<const Row> kTables[] = {
    verbs::lookAroundTable(), verbs::examineTable(), verbs::goTable(),   verbs::pickUpTable(),
    verbs::digShootTable(),   verbs::craftTable(),   verbs::talkTable(),
};

// Which cell a test reads (the flag or slot number only matters for flags and slots).
Key CellOf(const RuleTest& t) {
    const bool indexed = t.on == RuleTest::On::Flag || t.on == RuleTest::On::Slot;
    return {t.on, indexed ? t.index : 0, 0, {}};
}
Key KeyOf(const RuleTest& t) {
    return {t.on, t.index, t.number, t.text};
}

// Each conjunction of a row's condition as the keys of its tests.
std::vector<std::vector<Key>> Conjunctions(const Row& r) {
    std::vector<std::vector<Key>> any;
    for (std::size_t k = 0; k < r.when.count; ++k) {
        any.emplace_back();
        for (std::size_t i = 0; i < r.when.any[k].count; ++i)
            any.back().push_back(KeyOf(r.when.any[k].tests[i]));
    }
    return any;
}

std::vector<RuleTest> TestsOf(const Row& r) {
    std::vector<RuleTest> tests;
    for (std::size_t k = 0; k < r.when.count; ++k)
        for (std::size_t i = 0; i < r.when.any[k].count; ++i)
            tests.push_back(r.when.any[k].tests[i]);
    return tests;
}

std::vector<std::string_view> AnswersOf(const Row& r) {
    std::vector<std::string_view> said;
    for (std::size_t i = 0; i < r.effectCount; ++i)
        if (r.effects[i].what == Effect::Do::Say) said.push_back(r.effects[i].text);
    return said;
}

// A row by what it tests and answers, not by where it stands, to name it in a failure.
std::string Describe(const Row& r) {
    std::ostringstream os;
    for (std::size_t k = 0; k < r.when.count; ++k) {
        os << (k > 0 ? " | " : "");
        for (std::size_t i = 0; i < r.when.any[k].count; ++i) {
            const RuleTest& t = r.when.any[k].tests[i];
            os << (i > 0 ? " & " : "");
            switch (t.on) {
                case RuleTest::On::Focus:
                    os << "focus \"" << t.text << '"';
                    break;
                case RuleTest::On::Word:
                    os << "word \"" << t.text << '"';
                    break;
                case RuleTest::On::Level:
                    os << "level " << t.number;
                    break;
                case RuleTest::On::Flag:
                    os << "T" << t.index + 1 << " = " << t.number;
                    break;
                case RuleTest::On::Slot:
                    os << "slot " << t.index + 1 << " \"" << t.text << '"';
                    break;
            }
        }
    }
    for (std::string_view said : AnswersOf(r)) os << " -> \"" << said << '"';
    return os.str();
}

// Whether one state can satisfy both rows: no cell is tested for two different values.
bool CanFireTogether(const Row& a, const Row& b) {
    for (const RuleTest& x : TestsOf(a))
        for (const RuleTest& y : TestsOf(b))
            if (CellOf(x) == CellOf(y) && KeyOf(x) != KeyOf(y)) return false;
    return true;
}

TEST(RuleTables, NoTwoExamineAnswersInOnePress) {
    const auto table = verbs::examineTable();
    std::set<std::string_view> firingTogether;
    for (std::size_t i = 0; i < table.size(); ++i) {
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            if (!CanFireTogether(table[i], table[j])) continue;
            for (const RuleTest& t : TestsOf(table[i]))
                if (t.on == RuleTest::On::Word) firingTogether.insert(t.text);
            EXPECT_FALSE(!AnswersOf(table[i]).empty() && !AnswersOf(table[j]).empty())
                << "both answer: " << Describe(table[i]) << ", and " << Describe(table[j]);
        }
    }
    // The card table opens and disables; the second spirit answers and wounds.
    EXPECT_EQ(firingTogether, (std::set<std::string_view>{"стол", "дух"}));
}

TEST(RuleTables, EveryTestedFocusTextIsSomeVerbsAnswer) {
    std::set<std::string_view> answers;
    for (auto table : kTables)
        for (const Row& r : table)
            for (std::string_view a : AnswersOf(r)) answers.insert(a);
    for (auto table : kTables)
        for (const Row& r : table)
            for (const RuleTest& t : TestsOf(r))
                EXPECT_TRUE(t.on != RuleTest::On::Focus || answers.contains(t.text)) << t.text;
}

TEST(RuleTables, NoVerbButExamineSetsOffItsOwnLaterRows) {
    for (auto table : kTables) {
        if (table.data() == verbs::examineTable().data()) continue;
        for (std::size_t i = 0; i < table.size(); ++i)
            for (std::string_view said : AnswersOf(table[i]))
                for (std::size_t j = i + 1; j < table.size(); ++j)
                    for (const RuleTest& t : TestsOf(table[j]))
                        EXPECT_FALSE(t.on == RuleTest::On::Focus && t.text == said)
                            << "\"" << said << "\" sets off the later " << Describe(table[j]);
    }
}

TEST(RuleTables, GoGroupsResetTheirOwnFlagsOnlyInTheirLastRow) {
    const auto go = verbs::goTable();
    std::vector<std::vector<std::vector<Key>>> seen;
    for (std::size_t first = 0, end = 0; first < go.size(); first = end) {
        const auto condition = Conjunctions(go[first]);
        for (end = first + 1; end < go.size() && Conjunctions(go[end]) == condition;) ++end;
        // A group's condition appears nowhere else, so one press fires at most one group.
        EXPECT_EQ(std::count(seen.begin(), seen.end(), condition), 0) << Describe(go[first]);
        seen.push_back(condition);
        for (std::size_t r = first; r + 1 < end; ++r)
            for (std::size_t e = 0; e < go[r].effectCount; ++e)
                for (const RuleTest& t : TestsOf(go[r]))
                    EXPECT_FALSE(go[r].effects[e].what == Effect::Do::SetFlag &&
                                 t.on == RuleTest::On::Flag && t.index == go[r].effects[e].index)
                        << "T" << t.index + 1 << " reset before the last row of the group "
                        << Describe(go[r]);
    }
}

}  // namespace
}  // namespace tarvilon
