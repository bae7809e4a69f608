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
#include "route.hpp"

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

// A route's steps as the clicks they resolve to, found by playing the route once before any
// timing starts: a replay then costs only the clicks.
std::vector<route::Move> movesOf(const std::vector<route::Step>& steps) {
    std::vector<route::Move> moves;
    Game g;
    for (const route::Step& s : steps) {
        moves.push_back(route::resolve(g, s));
        route::play(g, moves.back());
    }
    return moves;
}

// The shortest full game and the shortest one through level 10, as tools/explorer finds them.
// The replay checks that each still ends in the finale, so a change to the rules that breaks
// one fails the benchmark instead of timing a different game.
constexpr std::string_view kShortest = R"(
    examine вертолёт
    press Подобрать
    examine пещера
    press Идти
    press Конец...)";
constexpr std::string_view kShortestViaLevel10 = R"(
    examine вертолёт
    press Подобрать
    examine чемодан
    press Подобрать
    examine дух
    press Идти
    examine чемодан
    press Подобрать
    examine дух
    press Идти
    examine завал
    press Мастерить
    examine пещера
    press Идти
    press Конец...)";

bool endsInFinale(std::span<const route::Move> moves) {
    Game g;
    for (const route::Move& move : moves) route::play(g, move);
    return g.windows().ending() == Ending::Finale;
}

void wholeGame(benchmark::State& state, std::span<const route::Move> moves) {
    if (!endsInFinale(moves)) {
        state.SkipWithError("the route no longer ends in the finale");
        return;
    }
    for (auto _ : state) {
        Game g;
        for (const route::Move& move : moves) route::play(g, move);
        benchmark::DoNotOptimize(g);
    }
    state.counters["actions"] = static_cast<double>(moves.size());
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
    // The road every whole-game test plays, looking around at each place.
    static const std::vector<route::Move> road = movesOf(route::load("road.txt"));
    static const std::vector<route::Move> shortest = movesOf(route::parse(kShortest));
    static const std::vector<route::Move> viaLevel10 = movesOf(route::parse(kShortestViaLevel10));
    benchmark::RegisterBenchmark("game/shortest",
                                 [](benchmark::State& s) { wholeGame(s, shortest); });
    benchmark::RegisterBenchmark("game/shortest_via_level10",
                                 [](benchmark::State& s) { wholeGame(s, viaLevel10); });
    benchmark::RegisterBenchmark("game/road", [](benchmark::State& s) { wholeGame(s, road); });

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
