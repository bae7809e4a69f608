// The engine alone: one press of each verb on its busiest state, and whole games replayed
// headless from a fresh start.
//
// A press changes the state it runs on, so most presses are timed on a fresh copy of a
// prepared game ("copy+press/...") and the copy is timed on its own ("copy/..."): the report
// subtracts the two. Looking around, and examining after typing the same word, leave a state
// on which the next press does the same work, so those two are also timed directly
// ("repeat/...") as a check on the subtraction.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/texts.hpp"
#include "game.hpp"

namespace tarvilon {
namespace {

using namespace text;
using enum Flag;

// A game at a point of play, as the verbs see it.
Game at(int level, std::initializer_list<std::pair<Flag, int>> flags, std::string_view focus,
        std::initializer_list<std::pair<Slot, std::string_view>> slots = {}) {
    Game g;
    g.dismissIntro();
    g.splashTimerTick();
    World& w = g.world();
    w.level = level;
    for (auto [f, v] : flags) w.setFlag(f, v);
    for (auto [s, item] : slots) w.setSlot(s, item);
    w.focus = focus;
    return g;
}

struct PressCase {
    const char* name;
    Verb verb;
    Game before;
    std::string_view word;  // typed first, for Examine
};

// Each verb where it does the most work: the level-9 states fire the most rows.
// clang-format off
std::vector<PressCase> pressCases() {
    return {
        {"look_around/level9_stage2", Verb::LookAround, at(9, {{T1, 1}}, ""), {}},
        // "дух" with T1 = 1 and T3 = 0 fires two rows: the shot and the wound.
        {"examine/level9_dukh", Verb::Examine, at(9, {{T1, 1}}, "", {{Slot::Pouch, kArrow}}),
         "дух"},
        {"talk/level3_guard", Verb::Talk, at(3, {}, kGuardListens), {}},
        // The last spirit is behind: five rows fire, and the pistol is put in the weapon slot.
        {"go/level9_exit_to_cave", Verb::Go, at(9, {{T1, 2}, {T3, 1}}, kAllBehind), {}},
        {"craft/level10_rubble", Verb::Craft, at(10, {}, kRubble), {}},
        {"dig_shoot/level9_second_spirit", Verb::DigShoot,
         at(9, {{T1, 1}}, kSpiritShoots, {{Slot::Pouch, kArrow}}), {}},
        {"pick_up/level9_arrow", Verb::PickUp, at(9, {{T1, 2}}, kArrow), {}},
    };
}
// clang-format on

// The game each press starts from: the case's state with its word typed.
Game startingPoint(const PressCase& c) {
    Game g = c.before;
    g.type(c.word);
    return g;
}

void copyOnly(benchmark::State& state, const PressCase& c) {
    const Game prepared = startingPoint(c);
    for (auto _ : state) {
        Game g = prepared;
        benchmark::DoNotOptimize(g);
    }
}

void copyAndPress(benchmark::State& state, const PressCase& c) {
    const Game prepared = startingPoint(c);
    for (auto _ : state) {
        Game g = prepared;
        g.press(c.verb);
        benchmark::DoNotOptimize(g);
    }
}

void repeatLookAround(benchmark::State& state) {
    Game g = at(9, {{T1, 1}}, "");
    for (auto _ : state) {
        g.press(Verb::LookAround);
        benchmark::DoNotOptimize(g);
    }
}

void repeatTypeAndExamine(benchmark::State& state) {
    // Health falls by 25 each time; nothing tests it, so every press takes the same rows.
    Game g = at(9, {{T1, 1}}, "", {{Slot::Pouch, kArrow}});
    for (auto _ : state) {
        g.type("дух");
        g.press(Verb::Examine);
        benchmark::DoNotOptimize(g);
    }
}

// What a player does in one step of a route.
struct Act {
    enum class Kind { Examine, Press, Ask, Say, Turn, Victory, Finish, DismissIntro };
    Kind kind;
    std::string_view word{};
    Verb verb{};
    ForesterLine line{};
    GuardLine guard{};
    Card card{};
};

// clang-format off
Act ex(std::string_view word) { return {.kind = Act::Kind::Examine, .word = word}; }
Act press(Verb v) { return {.kind = Act::Kind::Press, .verb = v}; }
Act ask(ForesterLine l) { return {.kind = Act::Kind::Ask, .line = l}; }
Act say(GuardLine l) { return {.kind = Act::Kind::Say, .guard = l}; }
Act turn(Card c) { return {.kind = Act::Kind::Turn, .card = c}; }
constexpr Act kVictory{.kind = Act::Kind::Victory};
constexpr Act kFinish{.kind = Act::Kind::Finish};
constexpr Act kDismissIntro{.kind = Act::Kind::DismissIntro};

void play(Game& g, const Act& a) {
    switch (a.kind) {
        case Act::Kind::Examine:
            g.type(a.word);
            g.press(Verb::Examine);
            break;
        case Act::Kind::Press: g.press(a.verb); break;
        case Act::Kind::Ask: g.ask(a.line); break;
        case Act::Kind::Say: g.say(a.guard); break;
        case Act::Kind::Turn: g.turn(a.card); break;
        case Act::Kind::Victory: g.claimVictory(); break;
        case Act::Kind::Finish: g.finish(); break;
        case Act::Kind::DismissIntro: g.dismissIntro(); break;
    }
}
// clang-format on

using enum Verb;
using FL = ForesterLine;
using GL = GuardLine;

// clang-format off
// The shortest full game and the shortest one through level 10, as tools/explorer finds them.
// The replay checks that each still ends in the finale, so a change to the rules that breaks
// one fails the benchmark instead of timing a different game.
const std::vector<Act> kShortest = {ex("вертолёт"), press(PickUp), ex("пещера"), press(Go), kFinish};
const std::vector<Act> kShortestViaLevel10 = {
    ex("вертолёт"), press(PickUp), ex("чемодан"), press(PickUp), ex("дух"), press(Go),
    ex("чемодан"), press(PickUp), ex("дух"), press(Go), ex("завал"), press(Craft),
    ex("пещера"), press(Go), kFinish,
};
// The road a player takes through every level, as tests/engine/whole_game_test.cpp plays it.
const std::vector<Act> kRoad = {
    kDismissIntro,
    ex("вертолёт"), press(PickUp), ex("трупы"), press(PickUp), ex("чемодан"), press(PickUp),
    ex("тропинка"), press(Go),
    ex("лесник"), press(Talk), ask(FL::WhoAreYou), ask(FL::Bye), ex("дерево"), ex("ветка"),
    press(Craft), press(PickUp), ex("табличка"), press(DigShoot), press(PickUp),
    ex("указатель"), press(Go),
    ex("охраник"), press(Talk), say(GL::AreYouTheGuard), say(GL::WhatIsHere), say(GL::MayIEnter),
    say(GL::Pay), say(GL::SeeYou), ex("ворота"), press(Go),
    ex("торговец"), press(Talk), ex("лекарь"), press(PickUp), ex("стол"), turn(Card::Middle),
    kVictory, ex("дорога"), press(Go),
    ex("нора"), press(PickUp), ex("дикарь"), press(PickUp), ex("доски"), press(Craft),
    ex("мост"), press(Go),
    ex("монстр"), press(DigShoot), ex("кусты"), press(Craft), ex("канат"), press(Go),
    ex("трава"), press(PickUp), ex("фляга"), press(PickUp), ex("ветки"), press(Craft), press(Go),
    ex("шаман"), press(PickUp), ex("сучок"), press(Craft), press(PickUp), ex("проход"), press(Go),
    ex("дух"), press(DigShoot), press(Go), ex("пакет"), press(PickUp), ex("дух"), press(DigShoot),
    press(Go), ex("стрела"), press(PickUp), ex("дух"), press(DigShoot), press(Go),
    ex("завал"), press(Craft), ex("пещера"), press(Go),
    kFinish,
};
// clang-format on

bool endsInFinale(std::span<const Act> route) {
    Game g;
    for (const Act& a : route) play(g, a);
    return g.windows().ending() == Ending::Finale;
}

void wholeGame(benchmark::State& state, std::span<const Act> route) {
    if (!endsInFinale(route)) {
        state.SkipWithError("the route no longer ends in the finale");
        return;
    }
    for (auto _ : state) {
        Game g;
        for (const Act& a : route) play(g, a);
        benchmark::DoNotOptimize(g);
    }
    state.counters["actions"] = static_cast<double>(route.size());
}

// A fresh game alone: part of every whole-game figure (it seeds the card deal's generator).
void freshGame(benchmark::State& state) {
    for (auto _ : state) {
        Game g;
        benchmark::DoNotOptimize(g);
    }
}

}  // namespace
}  // namespace tarvilon

int main(int argc, char** argv) {
    using namespace tarvilon;
    static const std::vector<PressCase> cases = pressCases();
    for (const PressCase& c : cases) {
        benchmark::RegisterBenchmark((std::string("copy/") + c.name).c_str(),
                                     [&c](benchmark::State& s) { copyOnly(s, c); });
        benchmark::RegisterBenchmark((std::string("copy+press/") + c.name).c_str(),
                                     [&c](benchmark::State& s) { copyAndPress(s, c); });
    }
    benchmark::RegisterBenchmark("repeat/look_around/level9_stage2", repeatLookAround);
    benchmark::RegisterBenchmark("repeat/type+examine/level9_dukh", repeatTypeAndExamine);
    benchmark::RegisterBenchmark("game/fresh_state_only", freshGame);
    benchmark::RegisterBenchmark("game/shortest",
                                 [](benchmark::State& s) { wholeGame(s, kShortest); });
    benchmark::RegisterBenchmark("game/shortest_via_level10",
                                 [](benchmark::State& s) { wholeGame(s, kShortestViaLevel10); });
    benchmark::RegisterBenchmark("game/road", [](benchmark::State& s) { wholeGame(s, kRoad); });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
