// What each control shows in a state of the game, and the call on the game that each click
// stands for, read off the columns of the tables. The game decides everything; this only says
// which of its cells a control is.

#include <string>

#include "layout.hpp"

namespace tarvilon::layout {
namespace {

template <typename Enum>
constexpr Enum as(int which) {
    return static_cast<Enum>(which);
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

Shown view(const Game& game, const Control& control) {
    Shown shown{.text = std::string(control.caption),
                .visible = control.visible,
                .textColour = std::nullopt,
                .accessible = std::string(control.accessible)};
    const World& world = game.world();
    const CardOfFate& cards = game.cards();
    const int which = control.shows.which;
    switch (control.shows.what) {
        case Shows::What::Caption:
            break;
        case Shows::What::Level:
            shown.text = world.levelText();
            break;
        case Shows::What::Health:
            shown.text = world.healthText();
            break;
        case Shows::What::Slot:
            shown.text = world.slot(as<Slot>(which));
            break;
        case Shows::What::DigShootCaption:
            shown.text = world.shootCaption;
            break;
        case Shows::What::Description:
            shown.text = world.description;
            break;
        case Shows::What::Response:
            shown.text = world.focus;
            break;
        case Shows::What::Word:
            shown.text = world.objectWord;
            break;
        case Shows::What::Splash:
            shown.visible = game.splashVisible();
            break;
        case Shows::What::Intro:
            shown.visible = game.introVisible();
            break;
        case Shows::What::ForesterAnswer:
            shown.text = game.forester().answer;
            break;
        case Shows::What::GuardAnswer:
            shown.text = game.guard().answer;
            break;
        case Shows::What::GuardLine:
            shown.visible = game.guard().isOffered(as<GuardLine>(which));
            break;
        case Shows::What::Card: {
            const auto card = as<Card>(which);
            shown.text = cards.word(card);
            shown.visible = cards.isShown(card);
            if (cards.isTurned(card)) {
                shown.textColour = kBrightWhite;
                shown.accessible = cards.word(card);
            }
            break;
        }
        case Shows::What::Deal:
            shown.text = cards.deal >= 0 ? numberText(cards.deal) : std::string();
            break;
        case Shows::What::DeathOffer:
            shown.visible = cards.deathShown;
            break;
        case Shows::What::VictoryOffer:
            shown.visible = cards.victoryShown;
            break;
        case Shows::What::BlinkingTitle:
            shown.textColour = titleColour(game.aboutTitle());
            break;
    }
    return shown;
}

bool created(const Game& game, Window window) {
    return game.windows().created(window);
}

bool visible(const Game& game, Window window) {
    return game.windows().visible(window);
}

bool enabled(const Game& game, Window window) {
    if (window == Window::Form1) return visible(game, window) && game.windows().mainEnabled();
    return visible(game, window);  // no secondary window is ever disabled
}

std::vector<const Control*> tabOrder(const Game& game, Window window) {
    std::vector<const Control*> reached;
    if (!enabled(game, window)) return reached;
    const WindowLayout& w = of(window);
    for (const Row row : w.reading) {
        const Control& c = w.controls[static_cast<std::size_t>(row)];
        if (takesFocus(c.kind) && view(game, c).visible) reached.push_back(&c);
    }
    return reached;
}

Clicked click(Game& game, const Control& control) {
    const int which = control.does.which;
    switch (control.does.what) {
        case Does::What::Nothing:
        case Does::What::Type:
            return Clicked::Nothing;
        case Does::What::Minimise:
            return Clicked::Minimise;
        case Does::What::Press:
            game.press(as<Verb>(which));
            break;
        case Does::What::DismissIntro:
            game.dismissIntro();
            break;
        case Does::What::Exit:
            game.exit();
            break;
        case Does::What::OpenAbout:
            game.openAbout();
            break;
        case Does::What::CloseAbout:
            game.closeAbout();
            break;
        case Does::What::Ask:
            game.ask(as<ForesterLine>(which));
            break;
        case Does::What::Say:
            game.say(as<GuardLine>(which));
            break;
        case Does::What::Turn:
            game.turn(as<Card>(which));
            break;
        case Does::What::ClaimVictory:
            game.claimVictory();
            break;
        case Does::What::AcceptDeath:
            game.acceptDeath();
            break;
        case Does::What::Finish:
            game.finish();
            break;
    }
    return Clicked::Played;
}

void type(Game& game, const Control& control, std::string_view text) {
    if (control.does.what == Does::What::Type) game.type(text);
}

void requestClose(Game& game, Window window) {
    game.requestClose(window);
}

}  // namespace tarvilon::layout
