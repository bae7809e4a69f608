#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarvilon {

struct World;

// The player's lines in the guard dialogue, named by their labels.
enum class GuardLine {
    AreYouTheGuard,  // the opening, offered from the start
    MayIEnter,
    WhatIsHere,
    Pay,
    SeeYou,  // closes the window
    NoCoins,
};
inline constexpr std::size_t kGuardLineCount = 6;

namespace guard {
inline constexpr std::string_view kAreYouTheGuard = "Как я понимаю вы охраник?";
inline constexpr std::string_view kMayIEnter = "Могу ли я войти в нутрь?";
inline constexpr std::string_view kWhatIsHere = "Что интересного здесь есть?";
inline constexpr std::string_view kPay = "Такие монеты пойдут? (Отдаёте 100 монет)";
inline constexpr std::string_view kSeeYou = "Увидимся!";
inline constexpr std::string_view kNoCoins = "К сожалению у меня нет монет!";

inline constexpr std::string_view kYesBlind = "Да! Ты что, невидишь?";
inline constexpr std::string_view kPrice = "Конечно! Только заплоти с начала 100 монет!";
inline constexpr std::string_view kTakesCoins =
    "Золотые?(Пробует на зуб) Точно золотые?(разглядывает) Давай все сюда!";
inline constexpr std::string_view kGetLost = "Тогда проваливай от сюда!";
}  // namespace guard

// The guard's window: his last answer and which of the player's lines are offered.
// The conversation only ever reveals lines; nothing hides one again.
struct Guard {
    std::string_view answer{};
    std::array<bool, kGuardLineCount> offered{true, false, false, false, false, false};

    [[nodiscard]] bool isOffered(GuardLine line) const {
        return offered[static_cast<std::size_t>(line)];
    }
    // Speaks a line: sets the answer, reveals what follows and, on paying, takes slot 2
    // whatever it holds and marks the guard paid. "Увидимся!" is left to the window protocol.
    void say(GuardLine line, World& world);

    friend bool operator==(const Guard&, const Guard&) = default;

  private:
    void reveal(GuardLine line) { offered[static_cast<std::size_t>(line)] = true; }
};

}  // namespace tarvilon
