#include "explorer.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string_view>
#include <unordered_map>

#include "content/texts.hpp"
#include "invariants.hpp"
#include "layout.hpp"
#include "verbs/verbs.hpp"

namespace tarvilon::explorer {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kViolationsKept = 10;

// The key of a state: the world's cells that rules test, with texts as interned ids, and the id
// of its shell: everything outside the world that a rule or a click can tell apart.
struct Key {
    std::array<std::int32_t, 5> numbers{};  // level, T1 to T4
    std::array<std::uint32_t, 3> slots{};
    std::uint32_t focus = 0;
    std::uint32_t shell = 0;

    friend bool operator==(const Key&, const Key&) = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const noexcept {
        std::uint64_t h = 1469598103934665603ULL;  // FNV-1a over the fields
        auto mix = [&h](std::uint64_t v) {
            h ^= v;
            h *= 1099511628211ULL;
        };
        for (auto n : k.numbers) mix(static_cast<std::uint32_t>(n));
        for (auto s : k.slots) mix(s);
        mix(k.focus);
        mix(k.shell);
        return static_cast<std::size_t>(h);
    }
};

// Looks strings up by string_view, without making a std::string for every lookup.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        return std::hash<std::string_view>{}(s);
    }
};

class Interner {
  public:
    std::uint32_t id(std::string_view text) {
        if (auto it = ids_.find(text); it != ids_.end()) return it->second;
        const auto id = static_cast<std::uint32_t>(texts_.size());
        texts_.emplace_back(text);
        ids_.emplace(std::string(text), id);
        return id;
    }
    [[nodiscard]] bool has(std::string_view text) const { return ids_.find(text) != ids_.end(); }
    [[nodiscard]] const std::string& text(std::uint32_t id) const { return texts_.at(id); }

  private:
    std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> ids_;
    std::vector<std::string> texts_;
};

// Everything of a run outside the world that the key keeps: windows up, the main window, the
// ending, the guard's offered lines and the card table.
std::string shellText(const Game& g) {
    const Windows& w = g.windows();
    if (w.ended()) return "ended " + std::to_string(static_cast<int>(w.ending()));
    std::string s;
    for (std::size_t i = 0; i < kWindowCount; ++i)
        s += w.visible(static_cast<Window>(i)) ? 'v' : '-';
    s += w.mainEnabled() ? 'M' : 'm';
    s += static_cast<char>('0' + static_cast<int>(w.ending()));
    for (bool o : g.guard().offered) s += o ? 'o' : '-';
    const CardOfFate& c = g.cards();
    s += std::to_string(c.deal);
    for (std::size_t i = 0; i < kCardCount; ++i) {
        s += c.shown.at(i) ? 's' : '-';
        s += c.turned.at(i) ? 't' : '-';
        s += c.words.at(i);
        s += '|';
    }
    s += c.victoryShown ? 'V' : '-';
    s += c.deathShown ? 'D' : '-';
    return s;
}

// Every focus text that some verb's rule tests. Rules only test it for equality, so all other
// texts, the empty one included, are alike to every rule.
Interner testedFocusTexts() {
    Interner tested;
    for (auto table :
         {verbs::lookAroundTable(), verbs::examineTable(), verbs::goTable(), verbs::pickUpTable(),
          verbs::digShootTable(), verbs::craftTable(), verbs::talkTable()})
        for (const rules::Row& row : table)
            for (std::size_t i = 0; i < row.when.count; ++i) {
                const rules::All& all = row.when.any.at(i);
                for (std::size_t j = 0; j < all.count; ++j)
                    if (all.tests.at(j).on == rules::Test::On::Focus)
                        tested.id(all.tests.at(j).text);
            }
    return tested;
}

class Walk {
  public:
    Walk() : actions_(playerActions()), tested_(testedFocusTexts()) {}

    Exploration run();

  private:
    // `from`, the state the click was made in, and its key only make this faster.
    Key keyOf(const Game& g, const Game* from = nullptr, const Key* fromKey = nullptr);
    Game gameOf(const Key& k) const;
    std::uint32_t visit(const Key& k, std::uint32_t parent, std::uint8_t action);
    Path pathTo(std::uint32_t state) const;
    Path pathFrom(std::uint32_t state, const std::vector<std::uint32_t>& toFinale) const;
    std::string classify(const Game& g) const;
    Path described(std::vector<std::uint8_t> actionIds) const;

    std::uint32_t focusId(std::string_view focus) {
        return texts_.id(tested_.has(focus) ? focus : std::string_view{});
    }

    std::vector<Action> actions_;
    Interner tested_;
    Interner texts_;
    std::unordered_map<std::string, std::uint32_t> shellIds_;
    std::vector<Game> shells_;  // one run per shell, whose world gameOf() overwrites
    std::unordered_map<Key, std::uint32_t, KeyHash> index_;
    std::vector<Key> states_;
    std::vector<std::uint32_t> parent_;
    std::vector<std::uint8_t> via_;
    std::vector<std::uint32_t> depth_;
    // Forward edges, grouped by source in visiting order.
    std::vector<std::uint32_t> edgeStart_;
    std::vector<std::uint32_t> edgeTarget_;
    std::vector<std::uint8_t> edgeAction_;
};

Key Walk::keyOf(const Game& g, const Game* from, const Key* fromKey) {
    Key k;
    // After the end nothing can be clicked, so ended runs differ only in how they ended.
    if (g.ended()) {
        k.numbers[0] = -static_cast<std::int32_t>(g.windows().ending());
    } else {
        const World& w = g.world();
        k.numbers[0] = w.level;
        for (std::size_t i = 0; i < w.flags.size(); ++i) k.numbers.at(i + 1) = w.flags.at(i);
        if (from != nullptr && w.inventory == from->world().inventory)
            k.slots = fromKey->slots;
        else
            for (std::size_t i = 0; i < w.inventory.size(); ++i)
                k.slots.at(i) = texts_.id(w.inventory.at(i));
        k.focus =
            from != nullptr && w.focus == from->world().focus ? fromKey->focus : focusId(w.focus);
    }
    // Most clicks leave windows, guard and cards alone: then the shell is the source's.
    if (from != nullptr && !g.ended() && g.windows() == from->windows() &&
        g.guard().offered == from->guard().offered && g.cards() == from->cards()) {
        k.shell = fromKey->shell;
        return k;
    }
    auto [it, added] =
        shellIds_.try_emplace(shellText(g), static_cast<std::uint32_t>(shells_.size()));
    if (added) shells_.push_back(g);
    k.shell = it->second;
    return k;
}

Game Walk::gameOf(const Key& k) const {
    Game g = shells_.at(k.shell);
    World& w = g.world();
    w.level = k.numbers[0];
    for (std::size_t i = 0; i < w.flags.size(); ++i) w.flags.at(i) = k.numbers.at(i + 1);
    for (std::size_t i = 0; i < w.inventory.size(); ++i)
        w.inventory.at(i) = texts_.text(k.slots.at(i));
    w.focus = texts_.text(k.focus);
    w.objectWord.clear();
    w.description.clear();  // cheaper copies; nothing reads it
    return g;
}

std::uint32_t Walk::visit(const Key& k, std::uint32_t parent, std::uint8_t action) {
    if (parent != kNone && k == states_[parent]) return parent;  // most clicks change nothing
    auto [it, fresh] = index_.try_emplace(k, static_cast<std::uint32_t>(states_.size()));
    if (fresh) {
        states_.push_back(k);
        parent_.push_back(parent);
        via_.push_back(action);
        depth_.push_back(parent == kNone ? 0 : depth_.at(parent) + 1);
    }
    return it->second;
}

Path Walk::described(std::vector<std::uint8_t> actionIds) const {
    Path p;
    Game g;
    for (std::uint8_t id : actionIds) {
        const Action& a = actions_.at(id);
        p.steps.push_back(describe(a, g));
        p.actions.push_back(a);
        apply(g, a);
    }
    return p;
}

Path Walk::pathTo(std::uint32_t state) const {
    std::vector<std::uint8_t> ids;
    for (std::uint32_t s = state; parent_.at(s) != kNone; s = parent_.at(s))
        ids.push_back(via_.at(s));
    std::reverse(ids.begin(), ids.end());
    return described(ids);
}

// A shortest path to "Конец..." from the start through `state`.
Path Walk::pathFrom(std::uint32_t state, const std::vector<std::uint32_t>& toFinale) const {
    std::vector<std::uint8_t> ids;
    for (std::uint32_t s = state; parent_.at(s) != kNone; s = parent_.at(s))
        ids.push_back(via_.at(s));
    std::reverse(ids.begin(), ids.end());
    for (std::uint32_t s = state; toFinale.at(s) != 0;) {
        for (std::uint32_t e = edgeStart_.at(s); e < edgeStart_.at(s + 1); ++e) {
            const std::uint32_t t = edgeTarget_.at(e);
            if (toFinale.at(t) + 1 == toFinale.at(s)) {
                ids.push_back(edgeAction_.at(e));
                s = t;
                break;
            }
        }
    }
    return described(ids);
}

// A dead end is a window that the player cannot leave; which one, and why, is the cause.
std::string Walk::classify(const Game& g) const {
    const Windows& w = g.windows();
    if (w.visible(Window::Stol) && g.cards().deathShown && !g.cards().victoryShown)
        return std::string(kLostTheCards);
    const Guard& guard = g.guard();
    if (w.visible(Window::Musik) && !guard.isOffered(GuardLine::SeeYou) &&
        !guard.isOffered(GuardLine::Pay) && !guard.isOffered(GuardLine::NoCoins)) {
        const std::string& goods = g.world().slot(Slot::Goods);
        if (goods == text::kSnake) return std::string(kGuardAndSnake);
        if (goods == text::kAmulet) return std::string(kGuardAndAmulet);
    }
    std::string up;
    for (Window secondary : kSecondaryWindows)
        if (w.visible(secondary)) up += " window " + std::string(layout::of(secondary).name);
    return std::string(kUnexplained) + describeState(g) + ", main window " +
           (w.mainEnabled() ? "enabled" : "disabled") + (up.empty() ? ", no window up" : up);
}

Exploration Walk::run() {
    const auto start = std::chrono::steady_clock::now();
    Exploration e;
    e.actionsPerState = actions_.size();

    const Game fresh;
    visit(keyOf(fresh), kNone, 0);
    auto noteBroken = [&](const std::vector<std::string>& broken, const Game& g,
                          std::uint32_t state) {
        for (const std::string& what : broken) {
            ++e.violationCount;
            if (e.violations.size() < kViolationsKept)
                e.violations.push_back({what, describeState(g), pathTo(state)});
        }
    };
    noteBroken(brokenInvariants(fresh), fresh, 0);

    Game next;  // reused, so that copying a run into it allocates nothing
    for (std::uint32_t s = 0; s < states_.size(); ++s) {
        edgeStart_.push_back(static_cast<std::uint32_t>(edgeTarget_.size()));
        const Key from = states_[s];
        const Game g = gameOf(from);
        if (g.ended()) continue;
        for (std::size_t a = 0; a < actions_.size(); ++a) {
            if (!canClick(g, actions_[a])) continue;
            ++e.movesTried;
            next = g;
            apply(next, actions_[a]);
            const auto id = static_cast<std::uint8_t>(a);
            const std::uint32_t t = visit(keyOf(next, &g, &from), s, id);
            noteBroken(brokenInvariants(next), next, t);  // every run made, not only new states
            const auto stepBroken = brokenStepRules(g, actions_[a], next);
            if (!stepBroken.empty()) noteBroken(stepBroken, next, t);
            if (t == s) continue;
            ++e.transitions;
            edgeTarget_.push_back(t);
            edgeAction_.push_back(id);
        }
    }
    edgeStart_.push_back(static_cast<std::uint32_t>(edgeTarget_.size()));
    const auto n = static_cast<std::uint32_t>(states_.size());
    e.states = n;

    // Distances to "Конец...", breadth first over the reversed edges.
    std::vector<std::uint32_t> reverseStart(n + 1, 0);
    for (std::uint32_t t : edgeTarget_) ++reverseStart.at(t + 1);
    for (std::uint32_t i = 0; i < n; ++i) reverseStart.at(i + 1) += reverseStart.at(i);
    std::vector<std::uint32_t> reverseSource(edgeTarget_.size());
    {
        std::vector<std::uint32_t> fill(reverseStart.begin(), reverseStart.end() - 1);
        for (std::uint32_t s = 0; s < n; ++s)
            for (std::uint32_t i = edgeStart_[s]; i < edgeStart_[s + 1]; ++i)
                reverseSource.at(fill.at(edgeTarget_[i])++) = s;
    }
    std::vector<std::uint32_t> toFinale(n, kNone);
    std::vector<std::uint32_t> queue;
    for (std::uint32_t s = 0; s < n; ++s) {
        const Ending how = shells_.at(states_[s].shell).windows().ending();
        e.deepest = std::max<std::size_t>(e.deepest, depth_[s]);
        switch (how) {
            case Ending::None:
                ++e.running;
                break;
            case Ending::Exit:
                ++e.endedByExit;
                break;
            case Ending::Death:
                ++e.endedByDeath;
                break;
            case Ending::Finale:
                ++e.endedByFinale;
                toFinale[s] = 0;
                queue.push_back(s);
                break;
        }
    }
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const std::uint32_t t = queue[q];
        for (std::uint32_t i = reverseStart[t]; i < reverseStart[t + 1]; ++i) {
            const std::uint32_t s = reverseSource[i];
            if (toFinale[s] != kNone) continue;
            toFinale[s] = toFinale[t] + 1;
            queue.push_back(s);
        }
    }

    // Dead ends, by cause; states are in visiting order, so each cause's first is its nearest.
    std::map<std::string, std::size_t> causeAt;
    for (std::uint32_t s = 0; s < n; ++s) {
        if (toFinale[s] != kNone) continue;
        const Game g = gameOf(states_[s]);
        if (g.ended()) continue;
        ++e.deadEndStates;
        std::string cause = classify(g);
        auto [it, fresh2] = causeAt.try_emplace(cause, e.deadEnds.size());
        if (fresh2) e.deadEnds.push_back({std::move(cause), 0, pathTo(s)});
        ++e.deadEnds.at(it->second).states;
    }

    auto rank = [](const DeadEnd& d) {
        return std::find(kKnownDeadEnds.begin(), kKnownDeadEnds.end(), d.cause) -
               kKnownDeadEnds.begin();
    };
    std::stable_sort(e.deadEnds.begin(), e.deadEnds.end(),
                     [&](const DeadEnd& a, const DeadEnd& b) { return rank(a) < rank(b); });

    // The shortest game ends in the first finale visited; through level 10, the best sum.
    std::uint32_t best = kNone;
    std::uint32_t bestVia10 = kNone;
    std::uint64_t bestVia10Length = std::numeric_limits<std::uint64_t>::max();
    for (std::uint32_t s = 0; s < n; ++s) {
        if (toFinale[s] == 0 && best == kNone) best = s;
        if (toFinale[s] != kNone && states_[s].numbers[0] == World::kLastLevel &&
            std::uint64_t{depth_[s]} + toFinale[s] < bestVia10Length) {
            bestVia10 = s;
            bestVia10Length = std::uint64_t{depth_[s]} + toFinale[s];
        }
    }
    if (best != kNone) e.shortestGame = pathTo(best);
    if (bestVia10 != kNone) e.shortestGameViaLevel10 = pathFrom(bestVia10, toFinale);

    e.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return e;
}

std::size_t letters(std::string_view utf8) {
    // Count code points: every byte but UTF-8 continuation bytes.
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

void printPath(std::ostringstream& out, const Path& p, const char* indent) {
    for (std::size_t i = 0; i < p.steps.size(); ++i)
        out << indent << (i + 1) << ". " << p.steps[i] << "\n";
}

void printLength(std::ostringstream& out, const Path& p) {
    out << "  Length: " << p.actions.size() << " actions, " << p.clicks()
        << " mouse clicks (an examine is one click on ОБСЛЕДОВАТЬ), plus " << p.typedWords()
        << " typed words of " << p.typedLetters() << " letters in all.\n";
}

}  // namespace

std::size_t Path::typedWords() const {
    return static_cast<std::size_t>(
        std::count_if(actions.begin(), actions.end(), [](const Action& a) {
            return a.kind == Action::Kind::Examine || a.kind == Action::Kind::Type;
        }));
}

std::size_t Path::typedLetters() const {
    std::size_t n = 0;
    for (const Action& a : actions) n += letters(a.word);
    return n;
}

bool Exploration::onlyKnownDeadEnds() const {
    return std::all_of(deadEnds.begin(), deadEnds.end(), [](const DeadEnd& d) {
        return std::find(kKnownDeadEnds.begin(), kKnownDeadEnds.end(), d.cause) !=
               kKnownDeadEnds.end();
    });
}

Exploration explore() {
    return Walk().run();
}

bool ruleTestsFocus(std::string_view focus) {
    static const Interner tested = testedFocusTexts();
    return tested.has(focus);
}

std::string report(const Exploration& e) {
    std::ostringstream out;
    out << "ТАРВИЛОН: every state reachable from a fresh start\n\n";
    out << "Actions tried in every state (" << e.actionsPerState
        << "): the seven verbs; ОБСЛЕДОВАТЬ with each word the Examine table knows and with one "
           "it does not (\""
        << kUnknownWord
        << "\"); every forester and guard line; the three cards; \"Победа!\", \"Вы погибли\", "
           "\"Конец...\"; Инфо and Отмена; Выход (a quit: its states are not dead ends). "
           "Clicks the player cannot make at that moment are not tried.\n";
    out << "Left out of a state, as no rule ever reads them:\n";
    for (std::string_view a : kAbstracted) out << "  - " << a << "\n";

    out << "\nStates: " << e.states << " (" << e.running << " in play; ended: " << e.endedByExit
        << " by Выход, " << e.endedByDeath << " by \"Вы погибли\", " << e.endedByFinale
        << " by \"Конец...\")\n";
    out << "Transitions: " << e.transitions << " that change the state, of " << e.movesTried
        << " clicks tried\n";
    out << "Deepest state: " << e.deepest << " actions from the start\n";
    out << "Time: " << static_cast<long long>(e.seconds * 1000) << " ms\n";

    out << "\nInvariants, checked in every reachable state:\n";
    for (std::string_view i : stateInvariants()) out << "  - " << i << "\n";
    out << "and across every action:\n";
    for (std::string_view i : stepRules()) out << "  - " << i << "\n";
    if (e.violationCount == 0) {
        out << "All hold.\n";
    } else {
        out << "BROKEN " << e.violationCount << " times. The first:\n";
        for (const Violation& v : e.violations) {
            out << "  " << v.what << "\n    in " << v.state << ", after:\n";
            printPath(out, v.path, "    ");
        }
    }

    out << "\nDead ends: " << e.deadEndStates
        << " states in play from which \"Конец...\" can no longer be reached, by cause:\n";
    for (std::size_t i = 0; i < e.deadEnds.size(); ++i) {
        const DeadEnd& d = e.deadEnds[i];
        out << "\n" << (i + 1) << ") " << d.cause << "\n";
        out << "   " << d.states << " states; the shortest way there, " << d.path.actions.size()
            << " actions:\n";
        printPath(out, d.path, "     ");
    }

    out << "\nShortest full game, from the crash site to \"Конец...\" (the intro need not be "
           "dismissed; ОБСЛЕДОВАТЬ \"пещера\" answers at every level once T1 = 1, though only in "
           "the cave does that mean \""
        << flagMeaning(World::kLastLevel, Flag::T1) << "\"; and Идти never reads the level):\n";
    printPath(out, e.shortestGame, "  ");
    printLength(out, e.shortestGame);
    out << "\nShortest full game that enters level 10 on the way:\n";
    printPath(out, e.shortestGameViaLevel10, "  ");
    printLength(out, e.shortestGameViaLevel10);
    return out.str();
}

}  // namespace tarvilon::explorer
