#pragma once

// The things a player, or the window system, can do to a run, as plain values: the explorer
// enumerates them and the fuzzer decodes bytes into them, and both print them the same way.

#include <string>
#include <string_view>
#include <vector>

#include "game.hpp"

namespace tarvilon::explorer {

struct Action {
    enum class Kind {
        Press,    // a verb label; arg is the Verb
        Examine,  // type word, then ОБСЛЕДОВАТЬ: the only verb that reads the word
        Type,     // the input box's new text, on its own
        DismissIntro,
        SplashTimerTick,
        Exit,
        OpenAbout,
        CloseAbout,
        BlinkAboutTitle,
        Ask,   // arg is the ForesterLine
        Say,   // arg is the GuardLine
        Turn,  // arg is the Card
        ClaimVictory,
        AcceptDeath,
        Finish,
        RequestCloseMain,
        RequestClose,  // arg is the Window
    };
    Kind kind{};
    int arg = 0;
    std::string word;

    friend bool operator==(const Action&, const Action&) = default;
};

void apply(Game& game, const Action& action);

// The window whose controls the action clicks; System for timers and the window system.
enum class Target { Main, Info, Lesnik, Musik, Stol, Form2, System };
[[nodiscard]] Target target(const Action& action);

// Whether the player could make this click in this state. A click they could not make must
// change nothing (the fuzzer checks that), so the explorer does not try it.
[[nodiscard]] bool canClick(const Game& game, const Action& action);

// In the player's terms: ОБСЛЕДОВАТЬ "вертолёт", Подобрать, "Пока!", карта "середина".
// The Dig and shoot label reads as the run's caption at that moment.
[[nodiscard]] std::string describe(const Action& action, const Game& before);

// The cells that rules test, each flag with what it records at the run's level:
// level 1, T1 (first-aid kit taken) = 1, ..., T4 = 0, slots [Ружьё||], focus "".
[[nodiscard]] std::string describeState(const Game& game);

// Every object word the Examine table tests, in table order, each once.
[[nodiscard]] std::vector<std::string_view> knownObjectWords();
// A word no Examine rule knows.
inline constexpr std::string_view kUnknownWord = "камень";

// What the explorer tries in every state: seven verbs, Examine with every known word and one
// unknown, every dialogue line and card, the card table's two results, "Конец...", the about
// box's two buttons and "Выход". Typing alone is folded into Examine; the timers and the intro
// touch nothing that a rule tests; the window system's close requests are not clicks, and
// they only repeat "Выход" and "Конец...".
[[nodiscard]] std::vector<Action> playerActions();

}  // namespace tarvilon::explorer
