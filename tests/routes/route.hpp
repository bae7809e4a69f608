#pragma once

// A route through the game, read from one of the text files beside this header. The files
// are shared by every test that plays a whole game (engine, windows, end to end, browser) and
// by the benchmark, so a road is written once; their heads explain the lines. A step is
// resolved when it is played, through the layout, as a player finds what to click: the
// control on screen that reads the caption. Standard C++.

#include <array>
#include <cstddef>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalog.hpp"
#include "content/places.hpp"
#include "game.hpp"
#include "layout.hpp"

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
            } else if (detail::oneOf(word, {"response", "answer", "level", "health", "weapon",
                                            "goods", "pouch", "place", "window", "card", "ended",
                                            "unchanged", "moment"})) {
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

// How a run ended, as the "ended" check names it.
inline std::string_view endingName(Ending e) {
    constexpr std::array<std::string_view, 4> names = {"", "exit", "death", "finale"};
    return names.at(static_cast<std::size_t>(e));
}

inline bool changesNothing(const Step& step) {
    for (const Check& c : step.checks)
        if (c.what == "unchanged") return true;
    return false;
}

// A control of a window, as the layout has it.
struct Target {
    Window window = Window::Form1;
    const layout::Control* control = nullptr;
};

// A step resolved against the game as it stands, in the controls a player would use: the box
// a word is typed into first (examine), and the control then clicked. A step that names what
// is not on screen, or sits in a window that takes no input, has usable false: the route says
// it changes nothing, and the click goes where the player would make it, to no effect.
struct Move {
    std::optional<Target> box;
    std::string word;
    std::optional<Target> click;  // none: nothing on screen reads the caption
    bool usable = false;
};

namespace detail {

inline std::optional<Target> doing(layout::Does does) {
    for (const layout::WindowLayout& w : layout::windows())
        if (const layout::Control* c = layout::doing(w.window, does)) return Target{w.window, c};
    return std::nullopt;
}

inline bool usable(const Game& game, const Target& t) {
    return layout::enabled(game, t.window) && layout::view(game, *t.control).visible;
}

inline std::runtime_error failure(const Step& step, std::string_view what) {
    return std::runtime_error("route line " + std::to_string(step.line) + ": " + step.action + " " +
                              step.target + ": " + std::string(what));
}

}  // namespace detail

// Throws std::runtime_error for a step the player could not make (nothing on screen reads the
// caption, or its window takes no input) unless the route says the step changes nothing, and
// for a caption that two controls read.
inline Move resolve(const Game& game, const Step& step) {
    using layout::Does;
    Move move;
    if (step.action == "examine") {
        move.box = detail::doing({Does::What::Type});
        move.word = step.target;
        move.click = detail::doing({Does::What::Press, static_cast<int>(Verb::Examine)});
        if (!move.box || !move.click) throw detail::failure(step, "no box to type into");
        move.usable = detail::usable(game, *move.box) && detail::usable(game, *move.click);
    } else if (step.action == "turn") {
        const auto card = cardNamed(step.target);
        if (card) move.click = detail::doing({Does::What::Turn, static_cast<int>(*card)});
        if (!move.click) throw detail::failure(step, "no such card");
        move.usable = detail::usable(game, *move.click);
    } else {
        // The control that reads the caption and does something, in a window on screen; one
        // in a window that takes input is the one the player clicks.
        for (const layout::WindowLayout& w : layout::windows()) {
            if (!layout::visible(game, w.window)) continue;
            for (const layout::Control& c : w.controls) {
                if (c.does.what == Does::What::Nothing) continue;
                const layout::Shown shown = layout::view(game, c);
                if (!shown.visible || shown.text != step.target) continue;
                const bool usable = layout::enabled(game, w.window);
                if (move.click && move.usable == usable)
                    throw detail::failure(step, "two controls read it");
                if (!move.click || usable) {
                    move.click = Target{w.window, &c};
                    move.usable = usable;
                }
            }
        }
    }
    if (!move.usable && !changesNothing(step))
        throw detail::failure(step, move.click ? "its window takes no input, or it is not shown"
                                               : "nothing on screen reads it");
    return move;
}

// The step's clicks, made through the layout as a front end makes them. An unusable click is
// made too: the game must ignore it.
inline void play(Game& game, const Move& move) {
    if (move.box) layout::type(game, *move.box->control, move.word);
    if (move.click) layout::click(game, *move.click->control);
}

// The cell a check reads: its window and control, or none for the checks that read no cell
// (window, ended, card, unchanged, moment). "answer" reads the dialogue on screen.
inline std::optional<Target> cellOf(const Game& game, std::string_view what) {
    using layout::Shows;
    using S = Shows::What;
    const auto slot = [](Slot s) { return Shows{S::Slot, static_cast<int>(s)}; };
    const std::pair<std::string_view, Shows> cells[] = {
        {"response", {S::Response}},  {"level", {S::Level}},          {"health", {S::Health}},
        {"place", {S::Description}},  {"weapon", slot(Slot::Weapon)}, {"goods", slot(Slot::Goods)},
        {"pouch", slot(Slot::Pouch)},
    };
    for (const auto& [name, shows] : cells)
        if (what == name) return Target{Window::Form1, layout::showing(Window::Form1, shows)};
    if (what != "answer") return std::nullopt;
    for (auto [window, shows] : {std::pair{Window::Lesnik, Shows{S::ForesterAnswer}},
                                 std::pair{Window::Musik, Shows{S::GuardAnswer}}})
        if (layout::visible(game, window)) return Target{window, layout::showing(window, shows)};
    return std::nullopt;
}

// What the player sees of a check's kind now, to compare with wanted(): read in the
// catalog's language where one is given, as that language's player reads it.
inline std::string seen(const Game& g, const Step& step, std::string_view what,
                        const layout::Catalog* catalog = nullptr) {
    const auto read = [&](const layout::Control& c) {
        return catalog != nullptr ? layout::view(g, c, *catalog) : layout::view(g, c);
    };
    if (const auto cell = cellOf(g, what)) return read(*cell->control).text;
    if (what == "answer") return "<no dialogue>";
    if (what == "ended") return std::string(endingName(g.windows().ending()));
    if (what == "card") {
        // A card face down is written in the colour of its ground: there is no word to read.
        const auto card = cardNamed(step.target);
        if (!card) return "<no such card>";
        const layout::Control& row =
            *layout::showing(Window::Stol, {layout::Shows::What::Card, static_cast<int>(*card)});
        const layout::Shown shown = read(row);
        return shown.textColour.value_or(*row.textColour) != row.background ? shown.text
                                                                            : "<face down>";
    }
    // "window": every window that takes input now, which must be exactly one.
    std::string up;
    for (const layout::WindowLayout& w : layout::windows()) {
        if (!layout::enabled(g, w.window)) continue;
        if (!up.empty()) up += '+';
        up += w.name;
    }
    return up;
}

// The route's value as seen() gives it: a place number stands for that place's description,
// whose opening the route also gives (throws std::runtime_error where it opens otherwise).
inline std::string wanted(const Check& check) {
    if (check.what != "place") return check.value;
    if (check.value == "none") return "";
    const std::size_t place = std::stoul(check.value);
    const std::string_view description = content::kPlaceDescriptions.at(place - 1);
    const std::string_view opening =
        std::string_view(check.value).substr(check.value.find(' ') + 1);
    if (!description.starts_with(opening))
        throw std::runtime_error("place " + check.value + ": the place opens otherwise");
    return std::string(description);
}

}  // namespace tarvilon::route
