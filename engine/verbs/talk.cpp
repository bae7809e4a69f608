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
constexpr std::array kTalk = {
    //  condition                                  effects            why
    row(kForester,                                 show(Window::Lesnik)),
    row(kForester,                                 enable(Window::Lesnik)),
    row(kForester,                                 disableMain()),
    row(flag(T1, 1) & focus(kGuardListens),        say(kPaidGuard)),  // before kGuard's rows: a paid guard only answers, which keeps his window shut
    row(kGuard,                                    show(Window::Musik)),
    row(kGuard,                                    enable(Window::Musik)),
    row(kGuard,                                    disableMain()),
    row(focus(kTraderWantsToTalk),                 say(kTraderNews), set(T1, 1)),
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
