#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string_view>

namespace tarvilon {

enum class Card { Left, Middle, Right };  // as they lie on the table
inline constexpr std::size_t kCardCount = 3;

namespace cards {
inline constexpr std::string_view kOffer =
    "Вам придлогается вытенуть одну из трёх карт. Если вы выните ЖИЗНЬ, то останетесь в "
    "живых, иначе отсюда вас вынесут ногами вперёд.";
inline constexpr std::string_view kVictory = "Победа!";
inline constexpr std::string_view kYouDied = "Вы погибли";
inline constexpr std::string_view kYouDiedTip = "Конец игры";
}  // namespace cards

// The game's one source of chance. std::mt19937 is used because the C++ standard fixes its
// output bit for bit, and it is never seeded: its default seed, 5489, gives 3499211612 as the
// first output on every compiler and library, so every run deals alike. The distributions of
// <random> are not fixed by the standard, so the number in [0, 1) is made here: the top 24
// bits of an output over 2^24, a single-precision value computed exactly (0.8147... first).
class Chance {
  public:
    float next() {
        constexpr int kDropped = 8;                   // 32-bit output, 24-bit float mantissa
        constexpr float kScale = 1.0F / 16777216.0F;  // 2^-24
        return static_cast<float>(engine_() >> kDropped) * kScale;
    }
    friend bool operator==(const Chance&, const Chance&) = default;

  private:
    std::mt19937 engine_;
};

// The card table: three cards dealt once per run, one life and two deaths, unreadable until
// turned; turning one hides the other two and offers the matching result.
struct CardOfFate {
    int deal = -1;  // the deal number 0 to 2; -1 until dealt
    std::array<std::string_view, kCardCount> words{};
    std::array<bool, kCardCount> shown{true, true, true};
    std::array<bool, kCardCount> turned{};  // written in bright white: readable
    bool victoryShown = false;              // the victory is offered
    bool deathShown = false;                // the death is offered

    // The window's load handler.
    void dealFrom(Chance& chance);
    void turn(Card card);

    [[nodiscard]] std::string_view word(Card c) const { return words[index(c)]; }
    [[nodiscard]] bool isShown(Card c) const { return shown[index(c)]; }
    [[nodiscard]] bool isTurned(Card c) const { return turned[index(c)]; }

    friend bool operator==(const CardOfFate&, const CardOfFate&) = default;

  private:
    static constexpr std::size_t index(Card c) { return static_cast<std::size_t>(c); }
};

}  // namespace tarvilon
