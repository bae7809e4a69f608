#include "content/texts.hpp"
#include "game.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::verbs {
namespace {

using namespace rules;
using namespace text;
using enum Flag;

constexpr Condition kForester = focus(kForesterWillTalk);
constexpr Condition kGuard = focus(kGuardListens);

// clang-format off
// Rule 4 must come before 5 to 7: a paid guard (T1 = 1 at the gate) only answers, and the
// changed focus text keeps his window shut.
constexpr std::array kTalk = {
    //  #     condition                                   effects
    /* 1*/ row(kForester,                                 show(Window::Lesnik)),
    /* 2*/ row(kForester,                                 enable(Window::Lesnik)),
    /* 3*/ row(kForester,                                 disableMain()),
    /* 4*/ row(flag(T1, 1) & focus(kGuardListens),        say(kPaidGuard)),
    /* 5*/ row(kGuard,                                    show(Window::Musik)),
    /* 6*/ row(kGuard,                                    enable(Window::Musik)),
    /* 7*/ row(kGuard,                                    disableMain()),
    /* 8*/ row(focus(kTraderWantsToTalk),                 say(kTraderNews), set(T1, 1)),
};
// clang-format on

}  // namespace

std::span<const Row> talkTable() {
    return kTalk;
}

void talk(Game& game) {
    run(kTalk, game);
}

}  // namespace tarvilon::verbs
