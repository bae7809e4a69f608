#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/texts.hpp"
#include "game.hpp"
#include "run_state.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon {
namespace {

using namespace std::string_view_literals;
using namespace text;
using test::State;

constexpr std::string_view kEarlier = "прежний ответ";

struct ExamineCase {
    const char* name;
    State before;
    std::string_view word;
    State after;
};

// clang-format off
const ExamineCase kCases[] = {
    {"exact word",            {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "вертолёт",   {1, {0, 0, 0, 0}, {}, 25, kFirstAidKit}},
    {"capital letter",        {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "Вертолёт",   {1, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"е for ё",               {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "вертолет",   {1, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"trailing blank",        {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "вертолёт ",  {1, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"embedded NUL",          {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "вертолёт\0"sv, {1, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"empty word",            {1, {0, 0, 0, 0}, {}, 25, kEarlier},           "",           {1, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"word of another level", {2, {0, 0, 0, 0}, {}, 25, kEarlier},           "вертолёт",   {2, {0, 0, 0, 0}, {}, 25, kEarlier}},
    {"taken already",         {1, {1, 0, 0, 0}, {}, 25, kEarlier},           "вертолёт",   {1, {1, 0, 0, 0}, {}, 25, "Здесь ничего нет"}},
    // The branch only follows the strange tree's own answer, at any level.
    {"branch after tree",     {5, {0, 0, 0, 0}, {}, 25, kStrangeTree},       "ветка",      {5, {0, 0, 0, 0}, {}, 25, kBranchForSpear}},
    {"branch after cut tree", {2, {1, 0, 0, 0}, {}, 25, "Странное дерево со множеством красивых и прямых веток, но уже без одной"},
                                                                               "ветка",      {2, {1, 0, 0, 0}, {}, 25, "Странное дерево со множеством красивых и прямых веток, но уже без одной"}},
    {"branch after nothing",  {2, {0, 0, 0, 0}, {}, 25, ""},                 "ветка",      {2, {0, 0, 0, 0}, {}, 25, ""}},
    {"branch after a spear",  {2, {0, 0, 0, 0}, {}, 25, kBranchForSpear},    "ветка",      {2, {0, 0, 0, 0}, {}, 25, kBranchForSpear}},
    // The second spirit both answers and wounds, without a floor.
    {"spirit wounds",         {1, {1, 0, 0, 0}, {}, 25, kEarlier},           "дух",        {1, {1, 0, 0, 0}, {}, 0, kSpiritShoots}},
    {"spirit wounds again",   {1, {1, 0, 0, 0}, {}, 0, kSpiritShoots},       "дух",        {1, {1, 0, 0, 0}, {}, -25, kSpiritShoots}},
    {"second spirit shot",    {9, {1, 0, 1, 0}, {}, 25, kEarlier},           "дух",        {9, {1, 0, 1, 0}, {}, 25, kSpiritDefeated}},
    {"third spirit",          {9, {2, 0, 0, 0}, {}, 25, kEarlier},           "дух",        {9, {2, 0, 0, 0}, {}, 25, kSpiritClose}},
    {"first spirit",          {9, {0, 0, 0, 0}, {}, 25, kEarlier},           "дух",        {9, {0, 0, 0, 0}, {}, 25, kSpiritAttacks}},
    {"first spirit beaten",   {9, {0, 1, 0, 0}, {}, 25, kEarlier},           "дух",        {9, {0, 1, 0, 0}, {}, 25, kSpiritHarmless}},
    {"packet with an arrow",  {9, {0, 0, 0, 0}, {}, 25, kEarlier},           "пакет",      {9, {0, 0, 0, 0}, {}, 25, kArrow}},
    {"packet emptied",        {9, {0, 1, 0, 0}, {}, 25, kEarlier},           "пакет",      {9, {0, 1, 0, 0}, {}, 25, "Пустой пакет"}},
    // Rules without a level answer wherever their flags hold.
    {"cave at the crash site",{1, {1, 0, 0, 0}, {}, 25, kEarlier},           "пещера",     {1, {1, 0, 0, 0}, {}, 25, kOnToLife}},
    {"rubble in the village", {4, {0, 0, 0, 0}, {}, 25, kEarlier},           "завал",      {4, {0, 0, 0, 0}, {}, 25, kRubble}},
    {"rope anywhere",         {3, {1, 1, 0, 0}, {}, 25, kEarlier},           "канат",      {3, {1, 1, 0, 0}, {}, 25, kCanClimb}},
    {"rope, monster alive",   {6, {0, 1, 0, 0}, {}, 25, kEarlier},           "канат",      {6, {0, 1, 0, 0}, {}, 25, "Надо убить монстра"}},
    {"rope, no rope",         {6, {0, 0, 0, 0}, {}, 25, kEarlier},           "канат",      {6, {0, 0, 0, 0}, {}, 25, "Из чего делать канат"}},
    {"rope gap in the rules", {6, {1, 0, 0, 0}, {}, 25, kEarlier},           "канат",      {6, {1, 0, 0, 0}, {}, 25, kEarlier}},
    {"card played",           {4, {0, 1, 0, 0}, {}, 25, kEarlier},           "стол",       {4, {0, 1, 0, 0}, {}, 25, "Вам хватило одного раза поиграть."}},
    {"healer's trailing blank",{4, {0, 0, 1, 0}, {}, 25, kEarlier},          "лекарь",     {4, {0, 0, 1, 0}, {}, 25, "У него нет больше "}},
    {"road opened by T4",     {4, {0, 0, 0, 1}, {}, 25, kEarlier},           "дорога",     {4, {0, 0, 0, 1}, {}, 25, kRoadIsClear}},
    {"slots play no part",    {7, {0, 0, 0, 0}, {kBow, "", kFlask}, 25, ""}, "трава",      {7, {0, 0, 0, 0}, {kBow, "", kFlask}, 25, kBow}},
};
// clang-format on

TEST(Examine, AnswersByLevelFlagsAndFocus) {
    for (const ExamineCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Game game = test::GameAt(c.before);
        game.type(c.word);
        game.press(Verb::Examine);
        EXPECT_EQ(test::StateOf(game.world()), c.after);
        EXPECT_EQ(game.world().objectWord, "");  // emptied on every press
        EXPECT_FALSE(game.windows().anySecondaryVisible());
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
    EXPECT_EQ(test::StateOf(game.world()), (State{.level = 4, .focus = kEarlier}));
    EXPECT_EQ(game.world().objectWord, "");
}

// --- Properties of the rule tables themselves ---

using rules::All;
using rules::Condition;
using rules::Effect;
using rules::Row;
using RuleTest = rules::Test;

const std::pair<const char*, std::span<const Row>> kTables[] = {
    {"look around", verbs::lookAroundTable()}, {"examine", verbs::examineTable()},
    {"go", verbs::goTable()},                  {"pick up", verbs::pickUpTable()},
    {"dig and shoot", verbs::digShootTable()}, {"craft", verbs::craftTable()},
    {"talk", verbs::talkTable()},
};

bool SameCell(const RuleTest& a, const RuleTest& b) {
    const bool indexed = a.on == RuleTest::On::Flag || a.on == RuleTest::On::Slot;
    return a.on == b.on && (!indexed || a.index == b.index);
}

bool SameTest(const RuleTest& a, const RuleTest& b) {
    return SameCell(a, b) && a.number == b.number && a.text == b.text;
}

// Whether one state can satisfy both conjunctions: no cell is tested for two values.
bool CanHoldTogether(const All& a, const All& b) {
    for (std::size_t i = 0; i < a.count; ++i)
        for (std::size_t j = 0; j < b.count; ++j)
            if (SameCell(a.tests[i], b.tests[j]) && !SameTest(a.tests[i], b.tests[j])) return false;
    return true;
}

bool SameCondition(const Condition& a, const Condition& b) {
    if (a.count != b.count) return false;
    for (std::size_t k = 0; k < a.count; ++k) {
        if (a.any[k].count != b.any[k].count) return false;
        for (std::size_t i = 0; i < a.any[k].count; ++i)
            if (!SameTest(a.any[k].tests[i], b.any[k].tests[i])) return false;
    }
    return true;
}

bool WritesFocus(const Row& r) {
    for (std::size_t i = 0; i < r.effectCount; ++i)
        if (r.effects[i].what == Effect::Do::Say) return true;
    return false;
}

std::string_view WordOf(const Row& r) {
    for (std::size_t i = 0; i < r.when.any[0].count; ++i)
        if (r.when.any[0].tests[i].on == RuleTest::On::Word) return r.when.any[0].tests[i].text;
    return {};
}

template <typename F>
void ForEachTest(const Row& r, F f) {
    for (std::size_t k = 0; k < r.when.count; ++k)
        for (std::size_t i = 0; i < r.when.any[k].count; ++i) f(r.when.any[k].tests[i]);
}

TEST(RuleTables, OnlyTheTableAndTheWoundingSpiritFireTogetherInExamine) {
    const auto table = verbs::examineTable();
    std::set<std::string_view> together;
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_EQ(table[i].when.count, 1u);
        ASSERT_FALSE(WordOf(table[i]).empty()) << "row " << i + 1 << " reads no word";
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            if (!CanHoldTogether(table[i].when.any[0], table[j].when.any[0])) continue;
            together.insert(WordOf(table[i]));
            EXPECT_FALSE(WritesFocus(table[i]) && WritesFocus(table[j]))
                << "rows " << i + 1 << " and " << j + 1 << " both answer";
        }
    }
    EXPECT_EQ(together, (std::set<std::string_view>{"стол", "дух"}));
}

TEST(RuleTables, EveryTestedFocusTextIsSomeAnswer) {
    std::set<std::string_view> answers;
    for (const auto& [name, table] : kTables)
        for (const Row& r : table)
            for (std::size_t i = 0; i < r.effectCount; ++i)
                if (r.effects[i].what == Effect::Do::Say) answers.insert(r.effects[i].text);
    for (const auto& [name, table] : kTables) {
        for (std::size_t n = 0; n < table.size(); ++n) {
            ForEachTest(table[n], [&, name = name](const RuleTest& t) {
                if (t.on == RuleTest::On::Focus) {
                    EXPECT_TRUE(answers.contains(t.text))
                        << name << " row " << n + 1 << " waits for \"" << t.text << "\"";
                }
            });
        }
    }
}

TEST(RuleTables, NoVerbButExamineFeedsItsOwnLaterRows) {
    for (const auto& [name, table] : kTables) {
        if (table.data() == verbs::examineTable().data()) continue;
        for (std::size_t i = 0; i < table.size(); ++i) {
            for (std::size_t e = 0; e < table[i].effectCount; ++e) {
                if (table[i].effects[e].what != Effect::Do::Say) continue;
                for (std::size_t j = i + 1; j < table.size(); ++j) {
                    ForEachTest(table[j], [&, name = name](const RuleTest& t) {
                        EXPECT_FALSE(t.on == RuleTest::On::Focus && t.text == table[i].effects[e].text)
                            << name << ": row " << i + 1 << " sets off row " << j + 1;
                    });
                }
            }
        }
    }
}

TEST(RuleTables, GoGroupsResetTheirOwnFlagsOnlyInTheirLastRow) {
    const auto go = verbs::goTable();
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < go.size(); ++i)
        if (i == 0 || !SameCondition(go[i].when, go[i - 1].when)) starts.push_back(i);
    starts.push_back(go.size());
    for (std::size_t g = 0; g + 1 < starts.size(); ++g) {
        const std::size_t last = starts[g + 1] - 1;
        // A group's condition appears nowhere else, so a press fires at most one group.
        for (std::size_t other = 0; other < go.size(); ++other)
            if (other < starts[g] || other > last) {
                EXPECT_FALSE(SameCondition(go[other].when, go[starts[g]].when)) << "row " << other + 1;
            }
        std::set<int> tested;
        ForEachTest(go[starts[g]], [&](const RuleTest& t) {
            if (t.on == RuleTest::On::Flag) tested.insert(t.index);
        });
        for (std::size_t r = starts[g]; r < last; ++r) {
            for (std::size_t e = 0; e < go[r].effectCount; ++e) {
                EXPECT_FALSE(go[r].effects[e].what == Effect::Do::SetFlag &&
                             tested.contains(go[r].effects[e].index))
                    << "row " << r + 1 << " resets a flag its group still tests";
            }
        }
    }
}

}  // namespace
}  // namespace tarvilon
