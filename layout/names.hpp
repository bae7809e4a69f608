#pragma once

// The names by which the JSON calls the values of every enum it carries, said here and nowhere
// else: the page, the Python tests and the routes know a kind, a verb or an ending by these.
// Each is a switch with no default, which this header makes an error to leave incomplete in
// every build; the static_asserts below check that no two values share a name.

#include <cstddef>
#include <string_view>

#include "game.hpp"
#include "layout.hpp"

namespace tarvilon::layout {

// clang-format off
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"

constexpr std::string_view name(Kind kind) {
    switch (kind) {
        case Kind::Label: return "Label";
        case Kind::Boxed: return "Boxed";
        case Kind::Verb: return "Verb";
        case Kind::Click: return "Click";
        case Kind::Text: return "Text";
        case Kind::Input: return "Input";
        case Kind::Splash: return "Splash";
        case Kind::Panel: return "Panel";
        case Kind::Button: return "Button";
        case Kind::Picture: return "Picture";
    }
    return {};
}

constexpr std::string_view name(Font font) {
    switch (font) {
        case Font::Default: return "Default";
        case Font::Large: return "Large";
        case Font::Title: return "Title";
        case Font::Small: return "Small";
    }
    return {};
}

constexpr std::string_view name(Align align) {
    switch (align) {
        case Align::TopLeft: return "TopLeft";
        case Align::TopCentre: return "TopCentre";
    }
    return {};
}

constexpr std::string_view name(Shows::What what) {
    using enum Shows::What;
    switch (what) {
        case Caption: return "Caption";
        case Level: return "Level";
        case Health: return "Health";
        case Slot: return "Slot";
        case DigShootCaption: return "DigShootCaption";
        case Description: return "Description";
        case Response: return "Response";
        case Word: return "Word";
        case Splash: return "Splash";
        case Intro: return "Intro";
        case ForesterAnswer: return "ForesterAnswer";
        case GuardAnswer: return "GuardAnswer";
        case GuardLine: return "GuardLine";
        case Card: return "Card";
        case Deal: return "Deal";
        case DeathOffer: return "DeathOffer";
        case VictoryOffer: return "VictoryOffer";
        case BlinkingTitle: return "BlinkingTitle";
    }
    return {};
}

constexpr std::string_view name(Does::What what) {
    using enum Does::What;
    switch (what) {
        case Nothing: return "Nothing";
        case Press: return "Press";
        case DismissIntro: return "DismissIntro";
        case Minimise: return "Minimise";
        case Exit: return "Exit";
        case OpenAbout: return "OpenAbout";
        case CloseAbout: return "CloseAbout";
        case Ask: return "Ask";
        case Say: return "Say";
        case Turn: return "Turn";
        case ClaimVictory: return "ClaimVictory";
        case AcceptDeath: return "AcceptDeath";
        case Finish: return "Finish";
        case Type: return "Type";
    }
    return {};
}

constexpr std::string_view name(Verb verb) {
    switch (verb) {
        case Verb::LookAround: return "LookAround";
        case Verb::Examine: return "Examine";
        case Verb::Talk: return "Talk";
        case Verb::Go: return "Go";
        case Verb::Craft: return "Craft";
        case Verb::DigShoot: return "DigShoot";
        case Verb::PickUp: return "PickUp";
    }
    return {};
}

constexpr std::string_view name(Ending ending) {
    switch (ending) {
        case Ending::None: return "None";
        case Ending::Exit: return "Exit";
        case Ending::Death: return "Death";
        case Ending::Finale: return "Finale";
    }
    return {};
}

constexpr std::string_view name(Clicked clicked) {
    switch (clicked) {
        case Clicked::Nothing: return "Nothing";
        case Clicked::Played: return "Played";
        case Clicked::Minimise: return "Minimise";
    }
    return {};
}

#pragma GCC diagnostic pop
// clang-format on

// How many values the enum has: its values run from 0, each with a name, to the first without.
template <typename Enum>
constexpr std::size_t valueCount() {
    std::size_t n = 0;
    while (!name(static_cast<Enum>(n)).empty()) ++n;
    return n;
}

template <typename Enum>
constexpr bool namedOnceEach() {
    constexpr std::size_t n = valueCount<Enum>();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (name(static_cast<Enum>(i)) == name(static_cast<Enum>(j))) return false;
    return n > 0;
}

static_assert(namedOnceEach<Kind>() && namedOnceEach<Font>() && namedOnceEach<Align>());
static_assert(namedOnceEach<Shows::What>() && namedOnceEach<Does::What>());
static_assert(namedOnceEach<Verb>() && namedOnceEach<Ending>() && namedOnceEach<Clicked>());

}  // namespace tarvilon::layout
