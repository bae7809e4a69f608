#include "actions.hpp"

#include <algorithm>
#include <array>

#include "layout.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::explorer {
namespace {

using Kind = Action::Kind;

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

constexpr std::array<std::string_view, kCardCount> kCardNames = {"слева", "середина", "справа"};

// What the control that makes this click reads in the run before it: a verb's caption (Dig
// and shoot's changes) or a dialogue's line, as the player sees it.
std::string captionOf(layout::Does does, Window window, const Game& before) {
    const layout::Control* control = layout::doing(window, does);
    return control != nullptr ? layout::view(before, *control).text : "?";
}

// Printable bytes of a typed word, whatever the fuzzer made of it.
std::string shown(std::string_view word) {
    constexpr std::size_t kLongest = 40;
    std::size_t cut = std::min(word.size(), kLongest);
    // Cut between letters, not inside one.
    while (cut < word.size() && cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0U) == 0x80U)
        --cut;
    std::string out;
    for (unsigned char c : word.substr(0, cut)) {
        if (c < 0x20 || c == 0x7f) {
            constexpr std::string_view kHex = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4U];
            out += kHex[c & 0xfU];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (cut < word.size()) out += "…(" + std::to_string(word.size()) + " bytes)";
    return quoted(out);
}

}  // namespace

void apply(Game& game, const Action& a) {
    switch (a.kind) {
        case Kind::Press:
            game.press(static_cast<Verb>(a.arg));
            break;
        case Kind::Examine:
            game.type(a.word);
            game.press(Verb::Examine);
            break;
        case Kind::Type:
            game.type(a.word);
            break;
        case Kind::DismissIntro:
            game.dismissIntro();
            break;
        case Kind::SplashTimerTick:
            game.splashTimerTick();
            break;
        case Kind::Exit:
            game.exit();
            break;
        case Kind::OpenAbout:
            game.openAbout();
            break;
        case Kind::CloseAbout:
            game.closeAbout();
            break;
        case Kind::BlinkAboutTitle:
            game.blinkAboutTitle();
            break;
        case Kind::Ask:
            game.ask(static_cast<ForesterLine>(a.arg));
            break;
        case Kind::Say:
            game.say(static_cast<GuardLine>(a.arg));
            break;
        case Kind::Turn:
            game.turn(static_cast<Card>(a.arg));
            break;
        case Kind::ClaimVictory:
            game.claimVictory();
            break;
        case Kind::AcceptDeath:
            game.acceptDeath();
            break;
        case Kind::Finish:
            game.finish();
            break;
        case Kind::RequestCloseMain:
            game.requestClose(Window::Form1);
            break;
        case Kind::RequestClose:
            game.requestClose(static_cast<Window>(a.arg));
            break;
    }
}

Target target(const Action& a) {
    switch (a.kind) {
        case Kind::Press:
        case Kind::Examine:
        case Kind::Type:
        case Kind::DismissIntro:
        case Kind::Exit:
        case Kind::OpenAbout:
            return Target::Main;
        case Kind::CloseAbout:
            return Target::Info;
        case Kind::Ask:
            return Target::Lesnik;
        case Kind::Say:
            return Target::Musik;
        case Kind::Turn:
        case Kind::ClaimVictory:
        case Kind::AcceptDeath:
            return Target::Stol;
        case Kind::Finish:
            return Target::Form2;
        case Kind::SplashTimerTick:
        case Kind::BlinkAboutTitle:
        case Kind::RequestCloseMain:
        case Kind::RequestClose:
            return Target::System;
    }
    return Target::System;
}

bool canClick(const Game& g, const Action& a) {
    if (g.ended()) return false;
    const Windows& w = g.windows();
    switch (target(a)) {
        case Target::Main:
            return w.mainEnabled();
        case Target::Info:
            return w.visible(Window::Info);
        case Target::Lesnik:
            return w.visible(Window::Lesnik);
        case Target::Musik:
            return w.visible(Window::Musik) && g.guard().isOffered(static_cast<GuardLine>(a.arg));
        case Target::Stol:
            if (!w.visible(Window::Stol)) return false;
            if (a.kind == Kind::Turn) return g.cards().isShown(static_cast<Card>(a.arg));
            if (a.kind == Kind::ClaimVictory) return g.cards().victoryShown;
            return g.cards().deathShown;
        case Target::Form2:
            return w.visible(Window::Form2);
        case Target::System:
            return true;
    }
    return false;
}

std::string describe(const Action& a, const Game& before) {
    switch (a.kind) {
        case Kind::Press:
            return captionOf({layout::Does::What::Press, a.arg}, Window::Form1, before);
        case Kind::Examine:
            return "ОБСЛЕДОВАТЬ " + shown(a.word);
        case Kind::Type:
            return "ввод " + shown(a.word);
        case Kind::DismissIntro:
            return "ДАЛЕЕ...";
        case Kind::SplashTimerTick:
            return "(таймер заставки)";
        case Kind::Exit:
            return "Выход";
        case Kind::OpenAbout:
            return "Инфо";
        case Kind::CloseAbout:
            return "Отмена";
        case Kind::BlinkAboutTitle:
            return "(таймер окна Инфо)";
        case Kind::Ask:
            return quoted(captionOf({layout::Does::What::Ask, a.arg}, Window::Lesnik, before));
        case Kind::Say:
            return quoted(captionOf({layout::Does::What::Say, a.arg}, Window::Musik, before));
        case Kind::Turn:
            return "карта " + quoted(kCardNames.at(static_cast<std::size_t>(a.arg)));
        case Kind::ClaimVictory:
            return quoted(cards::kVictory);
        case Kind::AcceptDeath:
            return quoted(cards::kYouDied);
        case Kind::Finish:
            return "\"Конец...\"";
        case Kind::RequestCloseMain:
            return "(система закрывает главное окно)";
        case Kind::RequestClose:
            return "(система закрывает окно " +
                   std::string(layout::of(static_cast<Window>(a.arg)).name) + ")";
    }
    return "?";
}

std::string describeState(const Game& g) {
    const World& w = g.world();
    return "level " + w.levelText() + ", " + describeFlags(w.level, w.flags) + ", slots [" +
           w.inventory[0] + "|" + w.inventory[1] + "|" + w.inventory[2] + "], focus " +
           quoted(w.focus);
}

std::vector<std::string_view> knownObjectWords() {
    std::vector<std::string_view> words;
    for (const rules::Row& row : verbs::examineTable())
        for (std::size_t i = 0; i < row.when.count; ++i) {
            const rules::All& all = row.when.any.at(i);
            for (std::size_t j = 0; j < all.count; ++j) {
                const rules::Test& t = all.tests.at(j);
                if (t.on == rules::Test::On::Word &&
                    std::find(words.begin(), words.end(), t.text) == words.end())
                    words.push_back(t.text);
            }
        }
    return words;
}

std::vector<Action> playerActions() {
    std::vector<Action> actions;
    // ОБСЛЕДОВАТЬ alone examines the empty word: the explorer's states never keep a typed one.
    for (int v = 0; v <= static_cast<int>(Verb::PickUp); ++v)
        actions.push_back({Kind::Press, v, {}});
    for (std::string_view w : knownObjectWords())
        actions.push_back({Kind::Examine, 0, std::string(w)});
    actions.push_back({Kind::Examine, 0, std::string(kUnknownWord)});
    for (int l = 0; l <= static_cast<int>(ForesterLine::Bye); ++l)
        actions.push_back({Kind::Ask, l, {}});
    for (int l = 0; l < static_cast<int>(kGuardLineCount); ++l)
        actions.push_back({Kind::Say, l, {}});
    for (int c = 0; c < static_cast<int>(kCardCount); ++c) actions.push_back({Kind::Turn, c, {}});
    actions.push_back({Kind::ClaimVictory, 0, {}});
    actions.push_back({Kind::AcceptDeath, 0, {}});
    actions.push_back({Kind::Finish, 0, {}});
    actions.push_back({Kind::OpenAbout, 0, {}});
    actions.push_back({Kind::CloseAbout, 0, {}});
    actions.push_back({Kind::Exit, 0, {}});
    return actions;
}

}  // namespace tarvilon::explorer
