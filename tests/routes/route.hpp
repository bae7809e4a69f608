#pragma once

// A route through the game, read from one of the text files beside this header. The files
// are shared by every test that plays a whole game (engine, windows, end to end, browser) and
// by the benchmark, so a road is written once; their heads explain the lines. Standard C++.

#include <array>
#include <cstddef>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/texts.hpp"
#include "game.hpp"

namespace tarvilon::route {

// Something the player sees after an action: "response" and the text it must read.
struct Check {
    std::string what;
    std::string value;
};

struct Step {
    int line = 0;          // in the file, for failure messages
    std::string action{};  // "examine", "press" or "turn"
    std::string target{};  // the word typed, the caption clicked, the card turned
    std::vector<Check> checks{};
};

namespace detail {

inline std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// A field's word and its value; a value in double quotes is taken between them, so that an
// empty text and trailing blanks can be written.
inline std::pair<std::string, std::string> split(std::string_view field) {
    field = trim(field);
    const auto blank = field.find(' ');
    std::string_view value = blank == std::string_view::npos ? "" : trim(field.substr(blank));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return {std::string(field.substr(0, blank)), std::string(value)};
}

inline bool oneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (w == word) return true;
    return false;
}

}  // namespace detail

// Throws std::runtime_error naming the line that is not a step, so that a typo in a route
// fails the test instead of quietly skipping a check.
inline std::vector<Step> parse(std::string_view text) {
    std::vector<Step> steps;
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = detail::trim(text.substr(0, end));
        text = end == std::string_view::npos ? "" : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const auto bad = [&](std::string_view what) {
            return std::runtime_error("route line " + std::to_string(number) + ": " +
                                      std::string(what));
        };
        Step step{.line = number};
        std::string_view rest = line;
        for (bool first = true; !rest.empty() || first; first = false) {
            const auto bar = rest.find('|');
            auto [word, value] = detail::split(rest.substr(0, bar));
            rest = bar == std::string_view::npos ? "" : rest.substr(bar + 1);
            if (first) {
                if (!detail::oneOf(word, {"examine", "press", "turn"})) throw bad("no action");
                step.action = std::move(word);
                step.target = std::move(value);
            } else if (detail::oneOf(word,
                                     {"response", "answer", "level", "health", "weapon", "goods",
                                      "pouch", "place", "window", "card", "ended", "moment"})) {
                step.checks.push_back({std::move(word), std::move(value)});
            } else {
                throw bad("unknown check " + word);
            }
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

// A route file by its name, from the directory the build gives.
inline std::vector<Step> load(std::string_view name) {
    const std::string path = std::string(TARVILON_ROUTES_DIR) + "/" + std::string(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

// A step as one call on the game, resolved once so that replaying a route costs only the
// calls themselves.
struct Move {
    enum class Kind { Examine, Press, Ask, Say, Turn, DismissIntro, Victory, Death, Finish };
    Kind kind = Kind::Press;
    std::string word{};
    Verb verb{};
    ForesterLine line{};
    GuardLine guard{};
    Card card{};
};

// Throws std::runtime_error for a caption or card the game does not have.
inline Move resolve(const Step& step) {
    using K = Move::Kind;
    const std::string_view t = step.target;
    if (step.action == "examine") return {.kind = K::Examine, .word = step.target};
    if (step.action == "turn") {
        constexpr std::array cards = {std::pair{"left", Card::Left},
                                      std::pair{"middle", Card::Middle},
                                      std::pair{"right", Card::Right}};
        for (auto [name, card] : cards)
            if (t == name) return {.kind = K::Turn, .card = card};
    }
    // The captions as the windows show them.
    constexpr std::array verbs = {
        std::pair{"ОСМОТРЕТЬСЯ", Verb::LookAround}, std::pair{"ОБСЛЕДОВАТЬ", Verb::Examine},
        std::pair{"Разговор", Verb::Talk},          std::pair{"Идти", Verb::Go},
        std::pair{"Мастерить", Verb::Craft},        std::pair{"Копать", Verb::DigShoot},
        std::pair{"Стрелять", Verb::DigShoot},      std::pair{"Подобрать", Verb::PickUp},
    };
    const std::array foresterLines = {
        std::pair{forester::kWhoAreYou, ForesterLine::WhoAreYou},
        std::pair{forester::kSettlement, ForesterLine::Settlement},
        std::pair{forester::kComeWithMe, ForesterLine::ComeWithMe},
        std::pair{forester::kSeeYou, ForesterLine::SeeYou},
        std::pair{forester::kBye, ForesterLine::Bye},
    };
    const std::array guardLines = {
        std::pair{guard::kAreYouTheGuard, GuardLine::AreYouTheGuard},
        std::pair{guard::kMayIEnter, GuardLine::MayIEnter},
        std::pair{guard::kWhatIsHere, GuardLine::WhatIsHere},
        std::pair{guard::kPay, GuardLine::Pay},
        std::pair{guard::kSeeYou, GuardLine::SeeYou},
        std::pair{guard::kNoCoins, GuardLine::NoCoins},
    };
    if (step.action == "press") {
        for (auto [caption, verb] : verbs)
            if (t == caption) return {.kind = K::Press, .verb = verb};
        for (auto [caption, line] : foresterLines)
            if (t == caption) return {.kind = K::Ask, .line = line};
        for (auto [caption, line] : guardLines)
            if (t == caption) return {.kind = K::Say, .guard = line};
        if (t == "ДАЛЕЕ...") return {.kind = K::DismissIntro};
        if (t == cards::kVictory) return {.kind = K::Victory};
        if (t == cards::kYouDied) return {.kind = K::Death};
        if (t == "Конец...") return {.kind = K::Finish};
    }
    throw std::runtime_error("route line " + std::to_string(step.line) + ": nothing to " +
                             step.action + " called " + step.target);
}

inline void play(Game& game, const Move& move) {
    switch (move.kind) {
        case Move::Kind::Examine:
            game.type(move.word);
            game.press(Verb::Examine);
            break;
        case Move::Kind::Press:
            game.press(move.verb);
            break;
        case Move::Kind::Ask:
            game.ask(move.line);
            break;
        case Move::Kind::Say:
            game.say(move.guard);
            break;
        case Move::Kind::Turn:
            game.turn(move.card);
            break;
        case Move::Kind::DismissIntro:
            game.dismissIntro();
            break;
        case Move::Kind::Victory:
            game.claimVictory();
            break;
        case Move::Kind::Death:
            game.acceptDeath();
            break;
        case Move::Kind::Finish:
            game.finish();
            break;
    }
}

}  // namespace tarvilon::route
