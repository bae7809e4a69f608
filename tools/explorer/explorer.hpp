#pragma once

// Walks every state a run can reach from a fresh start, breadth first, so that the first path
// found to any state is a shortest one. A state is the run less what no rule ever reads (see
// kAbstracted); on the way it checks the invariants of invariants.hpp, and afterwards it finds
// the dead ends: states of a running game from which "Конец..." can no longer be reached.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "actions.hpp"

namespace tarvilon::explorer {

// What the state key leaves out, and why that is safe.
inline constexpr std::array<std::string_view, 11> kAbstracted = {
    "health's value (only ever added to, never tested)",
    "the description box (written by ОСМОТРЕТЬСЯ, emptied by Идти, never read)",
    "the forester's last answer and the guard's last answer (shown, never read)",
    "the Копать/Стрелять caption (written by Идти, never read)",
    "the about box's title colour (its timer touches nothing else)",
    "the splash and the intro (neither blocks a verb in the engine; the walk starts with both up)",
    "which secondary windows have been created, except the card table (whose first opening "
    "deals)",
    "the response box's text where no rule tests it (\"Здесь ничего нет\" and the like): rules "
    "only test it for equality with the texts they know, so every other text is alike to them, "
    "and alike to an empty box",
    "the object word: typing is folded into the examine action, and ОБСЛЕДОВАТЬ empties it, so "
    "it is always empty between actions",
    "where the random generator stands: it is drawn once, by the deal, which the key keeps",
    "everything about a run that has ended but how it ended: nothing can be clicked any more, "
    "so there is one ended state for each of Выход, \"Вы погибли\" and \"Конец...\"",
};

// The dead ends the game has by design, one line each.
inline constexpr std::string_view kLostTheCards =
    "lost at the card of fate: a Смерть card is turned and \"Вы погибли\" is the only click left";
inline constexpr std::string_view kGuardAndSnake =
    "first talk with the guard while carrying the snake: he wants 100 монет but offers neither "
    "\"Такие монеты пойдут?\" nor \"К сожалению у меня нет монет!\", so \"Увидимся!\" never "
    "comes and his window cannot be closed";
inline constexpr std::string_view kGuardAndAmulet =
    "first talk with the guard while carrying the amulet: likewise, without 100 монет or an "
    "empty slot 2 he offers no line that leads to \"Увидимся!\", and his window cannot be closed";
inline constexpr std::array<std::string_view, 3> kKnownDeadEnds = {kLostTheCards, kGuardAndSnake,
                                                                   kGuardAndAmulet};
// Any other dead end is reported under a cause that starts with this.
inline constexpr std::string_view kUnexplained = "UNEXPLAINED dead end: ";

struct Path {
    std::vector<Action> actions;
    std::vector<std::string> steps;  // each action in the player's terms

    [[nodiscard]] std::size_t clicks() const { return actions.size(); }
    [[nodiscard]] std::size_t typedWords() const;
    [[nodiscard]] std::size_t typedLetters() const;
};

struct Violation {
    std::string what;
    std::string state;  // the run where it broke, as describeState() prints it
    Path path;          // a shortest way to that state
};

struct DeadEnd {
    std::string cause;
    std::size_t states = 0;  // how many reachable states fall under it
    Path path;               // a shortest way into the first of them
};

struct Exploration {
    std::size_t states = 0;
    std::size_t running = 0;
    std::size_t endedByExit = 0;
    std::size_t endedByDeath = 0;
    std::size_t endedByFinale = 0;
    std::size_t movesTried = 0;   // clicks the player could make, over all states
    std::size_t transitions = 0;  // those that changed the state
    std::size_t actionsPerState = 0;
    std::size_t deepest = 0;  // the longest of the shortest paths
    double seconds = 0;

    std::size_t violationCount = 0;
    std::vector<Violation> violations;  // the first few

    std::size_t deadEndStates = 0;
    std::vector<DeadEnd> deadEnds;  // by cause, known ones in kKnownDeadEnds' order first

    Path shortestGame;            // the fewest actions from the start to "Конец..."
    Path shortestGameViaLevel10;  // the same, entering level 10 on the way

    [[nodiscard]] bool onlyKnownDeadEnds() const;
};

[[nodiscard]] Exploration explore();

// Whether some verb's rule tests the focus text for this text; the walk folds all the others.
[[nodiscard]] bool ruleTestsFocus(std::string_view focus);

// The plain-text report a person reads.
[[nodiscard]] std::string report(const Exploration& e);

}  // namespace tarvilon::explorer
