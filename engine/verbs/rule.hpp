#pragma once

// The shape every verb shares: a table of rows, each a condition and up to four effects.
// The evaluator tests every row in order with no early exit, and a row sees what earlier rows
// of the same press wrote. The builders below let a table read like the rules it implements:
//
//     row(level(1) & flag(T1, 0) & word("вертолёт"),  say(kFirstAidKit)),

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "world/windows.hpp"
#include "world/world.hpp"

namespace tarvilon {
class Game;
}

namespace tarvilon::rules {

// One exact test of the state.
struct Test {
    enum class On { Focus, Word, Level, Flag, Slot };
    On on{};
    int index = 0;  // which flag or slot
    int number = 0;
    std::string_view text{};
};

// Tests joined by AND.
struct All {
    static constexpr std::size_t kMax = 4;
    std::array<Test, kMax> tests{};
    std::size_t count = 0;
};

// Conjunctions joined by OR; only Go needs more than one.
struct Condition {
    static constexpr std::size_t kMax = 2;
    std::array<All, kMax> any{};
    std::size_t count = 0;
    constexpr Condition() = default;
    // Not explicit, on purpose: nearly every row's condition is a single conjunction, and the
    // tables read better without a wrapper around each one.
    constexpr Condition(All a) : any{a}, count(1) {}
};

constexpr All test(Test t) {
    All a;
    a.tests[0] = t;
    a.count = 1;
    return a;
}
constexpr All focus(std::string_view text) {
    return test({.on = Test::On::Focus, .text = text});
}
constexpr All word(std::string_view text) {
    return test({.on = Test::On::Word, .text = text});
}
constexpr All level(int n) {
    return test({.on = Test::On::Level, .number = n});
}
constexpr All flag(Flag f, int n) {
    return test({.on = Test::On::Flag, .index = static_cast<int>(f), .number = n});
}
constexpr All slot(Slot s, std::string_view item) {
    return test({.on = Test::On::Slot, .index = static_cast<int>(s), .text = item});
}
constexpr All emptySlot(Slot s) {
    return slot(s, "");
}
// A row that always fires.
inline constexpr All always{};

constexpr All operator&(All a, const All& b) {
    for (std::size_t i = 0; i < b.count; ++i) a.tests.at(a.count++) = b.tests[i];
    return a;
}
constexpr Condition operator|(const All& a, const All& b) {
    Condition c(a);
    c.any[c.count++] = b;
    return c;
}

// What a row does when it fires.
struct Effect {
    enum class Do {
        Say,          // focus text := text
        Describe,     // description box := store box number
        SetFlag,      // flag index := number
        Put,          // slot index := text
        Health,       // health += number
        Level,        // level := number
        Caption,      // Dig and shoot caption := text
        Show,         // show window (create and load on first use)
        Enable,       // enable window
        DisableMain,  // disable the main window
    };
    Do what{};
    int index = 0;
    int number = 0;
    std::string_view text{};
};

constexpr Effect say(std::string_view response) {
    return {.what = Effect::Do::Say, .text = response};
}
constexpr Effect describe(int storeBox) {
    return {.what = Effect::Do::Describe, .number = storeBox};
}
constexpr Effect set(Flag f, int n) {
    return {.what = Effect::Do::SetFlag, .index = static_cast<int>(f), .number = n};
}
constexpr Effect put(Slot s, std::string_view item) {
    return {.what = Effect::Do::Put, .index = static_cast<int>(s), .text = item};
}
constexpr Effect clear(Slot s) {
    return put(s, "");
}
// Healing and wounds always move health by the same step.
inline constexpr int kHealthStep = 25;
constexpr Effect heal() {
    return {.what = Effect::Do::Health, .number = kHealthStep};
}
constexpr Effect hurt() {
    return {.what = Effect::Do::Health, .number = -kHealthStep};
}
constexpr Effect toLevel(int n) {
    return {.what = Effect::Do::Level, .number = n};
}
constexpr Effect caption(std::string_view text) {
    return {.what = Effect::Do::Caption, .text = text};
}
constexpr Effect show(Window w) {
    return {.what = Effect::Do::Show, .index = static_cast<int>(w)};
}
constexpr Effect enable(Window w) {
    return {.what = Effect::Do::Enable, .index = static_cast<int>(w)};
}
constexpr Effect disableMain() {
    return {.what = Effect::Do::DisableMain};
}

struct Row {
    static constexpr std::size_t kMaxEffects = 4;
    Condition when;
    std::array<Effect, kMaxEffects> effects{};
    std::size_t effectCount = 0;
};

// A row: a condition, then its effects in the order they are applied.
template <typename... Effects>
constexpr Row row(Condition when, Effects... effects) {
    static_assert(sizeof...(Effects) >= 1 && sizeof...(Effects) <= Row::kMaxEffects);
    return Row{when, {effects...}, sizeof...(Effects)};
}

[[nodiscard]] bool holds(const Condition& c, const World& w);

// Tests every row in order, no early exit; each row's condition is tested once, right before
// its own effects, so it sees what earlier rows wrote.
void run(std::span<const Row> table, Game& game);

}  // namespace tarvilon::rules
