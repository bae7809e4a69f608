#pragma once

// A route through the game, read from one of the text files beside this header. The files
// are shared by every test that plays a whole game (engine, windows, end to end, browser) and
// by the benchmark, so a road is written once; their heads explain the lines. Standard C++.

#include <array>
#include <cstddef>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// A card of fate by the name a route gives it.
inline std::optional<Card> cardNamed(std::string_view name) {
    constexpr std::array<std::string_view, kCardCount> names = {"left", "middle", "right"};
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<Card>(i);
    return std::nullopt;
}

// A step as one call on the game, resolved once so that replaying a route costs only the
// calls themselves.
using Move = std::function<void(Game&)>;

// Throws std::runtime_error for a caption or card the game does not have.
inline Move resolve(const Step& step) {
    if (step.action == "examine") {
        return [word = step.target](Game& g) {
            g.type(word);
            g.press(Verb::Examine);
        };
    }
    if (const auto card = cardNamed(step.target); card && step.action == "turn")
        return [card = *card](Game& g) { g.turn(card); };
    const auto press = [](Verb v) { return Move([v](Game& g) { g.press(v); }); };
    const auto ask = [](ForesterLine l) { return Move([l](Game& g) { g.ask(l); }); };
    const auto say = [](GuardLine l) { return Move([l](Game& g) { g.say(l); }); };
    // Every caption a route may press, as the windows show it.
    const std::pair<std::string_view, Move> captions[] = {
        {"ДАЛЕЕ...", &Game::dismissIntro},
        {"ОСМОТРЕТЬСЯ", press(Verb::LookAround)},
        {"ОБСЛЕДОВАТЬ", press(Verb::Examine)},
        {"Разговор", press(Verb::Talk)},
        {"Идти", press(Verb::Go)},
        {"Мастерить", press(Verb::Craft)},
        {"Копать", press(Verb::DigShoot)},
        {"Стрелять", press(Verb::DigShoot)},
        {"Подобрать", press(Verb::PickUp)},
        {forester::kWhoAreYou, ask(ForesterLine::WhoAreYou)},
        {forester::kSettlement, ask(ForesterLine::Settlement)},
        {forester::kComeWithMe, ask(ForesterLine::ComeWithMe)},
        {forester::kSeeYou, ask(ForesterLine::SeeYou)},
        {forester::kBye, ask(ForesterLine::Bye)},
        {guard::kAreYouTheGuard, say(GuardLine::AreYouTheGuard)},
        {guard::kMayIEnter, say(GuardLine::MayIEnter)},
        {guard::kWhatIsHere, say(GuardLine::WhatIsHere)},
        {guard::kPay, say(GuardLine::Pay)},
        {guard::kSeeYou, say(GuardLine::SeeYou)},
        {guard::kNoCoins, say(GuardLine::NoCoins)},
        {cards::kVictory, &Game::claimVictory},
        {cards::kYouDied, &Game::acceptDeath},
        {"Конец...", &Game::finish},
    };
    for (const auto& [caption, move] : captions)
        if (step.action == "press" && step.target == caption) return move;
    throw std::runtime_error("route line " + std::to_string(step.line) + ": nothing to " +
                             step.action + " called " + step.target);
}

}  // namespace tarvilon::route
