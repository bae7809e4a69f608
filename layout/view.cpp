// What each control shows in a state of the game, and the call on the game that each click
// stands for. The game decides everything; this only says which of its cells a control is.

#include <array>
#include <string>

#include "layout.hpp"

namespace tarvilon::layout {
namespace {

// The engine's window for each secondary form.
constexpr Window windowOf(Form form) {
    switch (form) {
        case Form::Info:
            return Window::Info;
        case Form::Lesnik:
            return Window::Lesnik;
        case Form::Musik:
            return Window::Musik;
        case Form::Stol:
            return Window::Stol;
        case Form::Form2:
            return Window::Form2;
        case Form::Form1:  // the main window is no secondary one; callers test for it first
            break;
    }
    return Window::Info;
}

// Which of the game's things each clickable or changing control is, by its name.
template <typename Thing>
struct Named {
    std::string_view name;
    Thing thing;
};

template <typename Thing, std::size_t N>
const Thing* lookUp(const std::array<Named<Thing>, N>& table, std::string_view name) {
    for (const Named<Thing>& row : table)
        if (row.name == name) return &row.thing;
    return nullptr;
}

// clang-format off
constexpr std::array<Named<Verb>, 7> kVerbs = {{
    {"Label5",  Verb::LookAround},
    {"Label6",  Verb::Examine},
    {"Label7",  Verb::Talk},
    {"Label8",  Verb::Go},
    {"Label9",  Verb::Craft},
    {"Label10", Verb::DigShoot},
    {"Label11", Verb::PickUp},
}};

constexpr std::array<Named<Slot>, 3> kSlots = {{
    {"Label12", Slot::Weapon},
    {"Label13", Slot::Goods},
    {"Label14", Slot::Pouch},
}};

constexpr std::array<Named<ForesterLine>, 5> kForesterLines = {{
    {"Label2", ForesterLine::WhoAreYou},
    {"Label3", ForesterLine::Settlement},
    {"Label4", ForesterLine::ComeWithMe},
    {"Label5", ForesterLine::SeeYou},
    {"Label6", ForesterLine::Bye},
}};

constexpr std::array<Named<GuardLine>, 6> kGuardLines = {{
    {"Label2", GuardLine::AreYouTheGuard},
    {"Label3", GuardLine::MayIEnter},
    {"Label4", GuardLine::WhatIsHere},
    {"Label5", GuardLine::Pay},
    {"Label6", GuardLine::SeeYou},
    {"Label7", GuardLine::NoCoins},
}};

constexpr std::array<Named<Card>, 3> kCards = {{
    {"Label2", Card::Left},
    {"Label3", Card::Middle},
    {"Label4", Card::Right},
}};
// clang-format on

void viewMain(const Game& game, std::string_view name, Shown& shown) {
    const World& world = game.world();
    if (const Slot* slot = lookUp(kSlots, name)) {
        shown.text = world.slot(*slot);
    } else if (name == "Label2") {
        shown.text = world.levelText();
    } else if (name == "Label15") {
        shown.text = world.healthText();
    } else if (name == "Label10") {
        shown.text = world.shootCaption;
    } else if (name == "Text1") {
        shown.text = world.description;
    } else if (name == "Text2") {
        shown.text = world.focus;
    } else if (name == "Text3") {
        shown.text = world.objectWord;
    } else if (name == "Text5") {
        shown.visible = game.splashVisible();
    } else if (name == "Text4" || name == "Label16") {
        shown.visible = game.introVisible();
    }
}

void viewCards(const CardOfFate& cards, std::string_view name, Shown& shown) {
    if (const Card* card = lookUp(kCards, name)) {
        shown.text = cards.word(*card);
        shown.visible = cards.isShown(*card);
        if (cards.isTurned(*card)) {
            shown.textColour = kBrightWhite;
            shown.accessible = cards.word(*card);
        }
    } else if (name == "Label5") {
        shown.text = cards.deal >= 0 ? numberText(cards.deal) : std::string();
    } else if (name == "Label6") {
        shown.visible = cards.deathShown;
    } else if (name == "Label7") {
        shown.visible = cards.victoryShown;
    }
}

std::optional<Colour> titleColour(AboutTitle title) {
    switch (title.colour) {
        case AboutTitle::Colour::DarkBlue:
            return kDarkBlue;
        case AboutTitle::Colour::DarkGreen:
            return kDarkGreen;
        case AboutTitle::Colour::Default:
            break;
    }
    return std::nullopt;
}

}  // namespace

Form formOf(Window window) {
    switch (window) {
        case Window::Info:
            return Form::Info;
        case Window::Lesnik:
            return Form::Lesnik;
        case Window::Musik:
            return Form::Musik;
        case Window::Stol:
            return Form::Stol;
        case Window::Form2:
            break;
    }
    return Form::Form2;
}

Shown view(const Game& game, Form form, const Control& control) {
    Shown shown{.text = std::string(control.caption),
                .visible = control.visible,
                .textColour = std::nullopt,
                .accessible = std::string(control.accessible)};
    const std::string_view name = control.name;
    switch (form) {
        case Form::Form1:
            viewMain(game, name, shown);
            break;
        case Form::Info:
            if (name == "Label1") shown.textColour = titleColour(game.aboutTitle());
            break;
        case Form::Lesnik:
            if (name == "Label1") shown.text = game.forester().answer;
            break;
        case Form::Musik:
            if (name == "Label1") shown.text = game.guard().answer;
            if (const GuardLine* line = lookUp(kGuardLines, name))
                shown.visible = game.guard().isOffered(*line);
            break;
        case Form::Stol:
            viewCards(game.cards(), name, shown);
            break;
        case Form::Form2:
            break;
    }
    return shown;
}

bool created(const Game& game, Form form) {
    return form == Form::Form1 || game.windows().created(windowOf(form));
}

bool visible(const Game& game, Form form) {
    if (form == Form::Form1) return !game.ended();
    return game.windows().visible(windowOf(form));
}

bool enabled(const Game& game, Form form) {
    if (form == Form::Form1) return !game.ended() && game.windows().mainEnabled();
    return visible(game, form);  // no secondary window is ever disabled
}

bool click(Game& game, Form form, std::string_view control) {
    switch (form) {
        case Form::Form1:
            if (const Verb* verb = lookUp(kVerbs, control)) {
                game.press(*verb);
                return true;
            }
            if (control == "Label16") {
                game.dismissIntro();
                return true;
            }
            if (control == "Command2") {
                game.exit();
                return true;
            }
            if (control == "Command3") {
                game.openAbout();
                return true;
            }
            return false;  // Command1 minimises, which is the window system's business
        case Form::Info:
            if (control != "Command1") return false;
            game.closeAbout();
            return true;
        case Form::Lesnik:
            if (const ForesterLine* line = lookUp(kForesterLines, control)) {
                game.ask(*line);
                return true;
            }
            return false;
        case Form::Musik:
            if (const GuardLine* line = lookUp(kGuardLines, control)) {
                game.say(*line);
                return true;
            }
            return false;
        case Form::Stol:
            if (const Card* card = lookUp(kCards, control)) {
                game.turn(*card);
                return true;
            }
            if (control == "Label7") {
                game.claimVictory();
                return true;
            }
            if (control == "Label6") {
                game.acceptDeath();
                return true;
            }
            return false;
        case Form::Form2:
            if (control != "Label1") return false;
            game.finish();
            return true;
    }
    return false;
}

}  // namespace tarvilon::layout
