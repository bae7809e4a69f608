#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "world/flags.hpp"

namespace tarvilon {

// The inventory is three fixed slots, one per kind of item, not a list.
enum class Slot {
    Weapon,  // slot 1
    Goods,   // slot 2: valuables and trade goods
    Pouch,   // slot 3: spear, flask or arrow
};

// The shortest decimal text of a whole number: "25", "0", "-25".
std::string numberText(std::int64_t value);

// Every cell of a run's state. The level, health and the flags are only ever written by the
// game as decimal text and only ever tested for equality, so they are held as numbers and
// turned into text where the player (or a test) reads them.
struct World {
    static constexpr int kFirstLevel = 1;
    static constexpr int kLastLevel = 10;
    static constexpr std::int64_t kStartHealth = 25;

    int level = kFirstLevel;
    std::int64_t health = kStartHealth;      // has no floor, nothing tests it
    std::array<std::string, 3> inventory{};  // the slots, in Slot order
    std::string description;                 // of the place, after a look around
    std::string focus;                       // the response: what the verbs act on
    std::string objectWord;                  // the word the player typed
    std::array<int, kFlagCount> flags{};     // Texts.T1 to Texts.T4
    std::string_view shootCaption;           // the dig-and-shoot verb's caption

    World();

    [[nodiscard]] int flag(Flag f) const { return flags[static_cast<std::size_t>(f)]; }
    void setFlag(Flag f, int value) { flags[static_cast<std::size_t>(f)] = value; }
    [[nodiscard]] const std::string& slot(Slot s) const {
        return inventory[static_cast<std::size_t>(s)];
    }
    void setSlot(Slot s, std::string_view item) { inventory[static_cast<std::size_t>(s)] = item; }

    [[nodiscard]] std::string levelText() const { return numberText(level); }
    [[nodiscard]] std::string healthText() const { return numberText(health); }
    [[nodiscard]] std::string flagText(Flag f) const { return numberText(flag(f)); }

    friend bool operator==(const World&, const World&) = default;
};

}  // namespace tarvilon
