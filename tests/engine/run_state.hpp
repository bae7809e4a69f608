#pragma once
// A point of play written as a short literal: the suites start runs from one and compare a
// run's world against one, so a failure prints every cell that differs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string_view>

#include "game.hpp"

namespace tarvilon::test {

struct State {
    int level = World::kFirstLevel;
    std::array<int, kFlagCount> flags{};      // T1 to T4
    std::array<std::string_view, 3> slots{};  // weapon, goods, pouch
    std::int64_t health = World::kStartHealth;
    std::string_view focus{};

    friend bool operator==(const State&, const State&) = default;
};

// One press of a verb: the state before it and the state it must leave.
struct Case {
    const char* name;
    State before;
    State after;
};

// Each flag with what it means at the state's level, so a failure says what was not done.
inline void PrintTo(const State& s, std::ostream* os) {
    *os << "{level " << s.level << ", " << describeFlags(s.level, s.flags) << ", slots ["
        << s.slots[0] << "|" << s.slots[1] << "|" << s.slots[2] << "], health " << s.health
        << ", focus \"" << s.focus << "\"}";
}

// The world's cells as a State; it refers to the world's strings, so compare it at once.
inline State StateOf(const World& w) {
    return {w.level, w.flags, {w.inventory[0], w.inventory[1], w.inventory[2]}, w.health, w.focus};
}

inline Game GameAt(const State& s) {
    Game game;
    World& w = game.world();
    w.level = s.level;
    w.flags = s.flags;
    for (std::size_t i = 0; i < w.inventory.size(); ++i) w.inventory[i] = s.slots[i];
    w.health = s.health;
    w.focus = s.focus;
    return game;
}

}  // namespace tarvilon::test
