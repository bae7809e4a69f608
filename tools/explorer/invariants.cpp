#include "invariants.hpp"

#include <algorithm>
#include <array>

#include "content/texts.hpp"

namespace tarvilon::explorer {
namespace {

constexpr std::array<std::string_view, 8> kStateInvariants = {
    "the level is 1 to 10",
    "every flag is 0, 1 or 2",
    "slot 1 is empty or holds Ружьё, Автомат, Лук or Пистолет",
    "slot 2 is empty or holds 100 монет, Змея or Амулет",
    "slot 3 is empty or holds Копьё, Фляга or Стрела",
    "while the run goes on, the main window is disabled exactly while a secondary window or "
    "the ending is up",
    "while the run goes on, at most one secondary window is up",
    "the cards are dealt once, when the card table first opens: no deal before it, then a deal "
    "of 0 to 2 with one Жизнь and two Смерть",
};
enum StateInvariant { kLevel, kFlags, kSlot1, kSlot2, kSlot3, kMainWindow, kOneWindow, kDealt };

constexpr std::array<std::string_view, 3> kStepRules = {
    "a deal, once made, never changes",
    "a click the player cannot make (on a disabled main window, a hidden window, a line or a "
    "card not offered) changes nothing",
    "after the end nothing changes",
};
enum StepRule { kDealKept, kDeadClick, kEnded };

constexpr std::array<std::string_view, 4> kWeapons = {text::kRifle, text::kMachineGun, text::kBow,
                                                      text::kPistol};
constexpr std::array<std::string_view, 3> kGoods = {text::kCoins, text::kSnake, text::kAmulet};
constexpr std::array<std::string_view, 3> kPouch = {text::kSpear, text::kFlask, text::kArrow};

template <std::size_t N>
bool emptyOrOneOf(const std::string& item, const std::array<std::string_view, N>& items) {
    return item.empty() || std::find(items.begin(), items.end(), item) != items.end();
}

std::string broken(std::size_t which, std::span<const std::string_view> names,
                   const std::string& found) {
    return std::string(names[which]) + ": " + found;
}

}  // namespace

std::span<const std::string_view> stateInvariants() {
    return kStateInvariants;
}
std::span<const std::string_view> stepRules() {
    return kStepRules;
}

std::vector<std::string> brokenInvariants(const Game& g) {
    std::vector<std::string> out;
    auto fail = [&](StateInvariant which, const std::string& found) {
        out.push_back(broken(which, kStateInvariants, found));
    };
    const World& w = g.world();
    if (w.level < World::kFirstLevel || w.level > World::kLastLevel)
        fail(kLevel, "level " + w.levelText());
    for (Flag f : kAllFlags)
        if (w.flag(f) < 0 || w.flag(f) > 2)
            fail(kFlags, describeFlag(w.level, f, w.flag(f)) + " at level " + w.levelText());
    if (!emptyOrOneOf(w.slot(Slot::Weapon), kWeapons)) fail(kSlot1, w.slot(Slot::Weapon));
    if (!emptyOrOneOf(w.slot(Slot::Goods), kGoods)) fail(kSlot2, w.slot(Slot::Goods));
    if (!emptyOrOneOf(w.slot(Slot::Pouch), kPouch)) fail(kSlot3, w.slot(Slot::Pouch));

    // After the end the windows are gone, whatever their flags say.
    const Windows& win = g.windows();
    if (!g.ended()) {
        if (win.mainEnabled() == win.anySecondaryVisible())
            fail(kMainWindow, win.mainEnabled() ? "main window enabled under a secondary one"
                                                : "main window disabled with nothing up");
        int up = 0;
        for (Window which : kSecondaryWindows)
            if (win.visible(which)) ++up;
        if (up > 1) fail(kOneWindow, std::to_string(up) + " windows up");
    }

    const CardOfFate& c = g.cards();
    if (!win.created(Window::Stol)) {
        if (c.deal != -1) fail(kDealt, "deal " + numberText(c.deal) + " before the table opened");
    } else if (c.deal < 0 || c.deal > 2) {
        fail(kDealt, "deal " + numberText(c.deal));
    } else {
        const auto lives = std::count(c.words.begin(), c.words.end(), text::kLife);
        const auto deaths = std::count(c.words.begin(), c.words.end(), text::kDeath);
        if (lives != 1 || deaths != 2)
            fail(kDealt,
                 std::to_string(lives) + " Жизнь and " + std::to_string(deaths) + " Смерть");
    }
    return out;
}

std::vector<std::string> brokenStepRules(const Game& before, const Action& a, const Game& after) {
    std::vector<std::string> out;
    auto fail = [&](StepRule which, const std::string& found) {
        out.push_back(broken(which, kStepRules, found));
    };
    const CardOfFate& was = before.cards();
    const CardOfFate& now = after.cards();
    if (was.deal != -1 && (now.deal != was.deal || now.words != was.words))
        fail(kDealKept, "deal " + numberText(was.deal) + " became " + numberText(now.deal));
    if (before.ended()) {
        if (!(after == before)) fail(kEnded, "changed by " + describe(a, before));
    } else if (target(a) != Target::System && !canClick(before, a) && !(after == before)) {
        fail(kDeadClick, "changed by " + describe(a, before));
    }
    return out;
}

}  // namespace tarvilon::explorer
