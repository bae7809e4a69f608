// libFuzzer target: arbitrary bytes become a run's clicks and typed words, and every state on
// the way must keep the invariants that the explorer checks. A broken one prints the clicks
// that led to it and aborts.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions.hpp"
#include "game.hpp"
#include "invariants.hpp"

namespace {

using tarvilon::Game;
using tarvilon::explorer::Action;
using Kind = Action::Kind;

// Longer inputs only repeat what shorter ones reach.
constexpr int kMaxActions = 2000;
constexpr std::size_t kMaxHugeWord = 64 * 1024;

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool empty() const { return at_ >= size_; }
    // Past the end every byte reads as 0, so that any input decodes.
    unsigned next() { return at_ < size_ ? data_[at_++] : 0U; }
    std::string take(std::size_t n) {
        n = std::min(n, size_ - std::min(at_, size_));
        std::string s(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return s;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const std::vector<std::string_view>& words() {
    static const auto known = [] {
        auto w = tarvilon::explorer::knownObjectWords();
        w.push_back(tarvilon::explorer::kUnknownWord);
        return w;
    }();
    return known;
}

std::string knownWord(Bytes& in) {
    return std::string(words()[in.next() % words().size()]);
}

Action decode(Bytes& in) {
    const unsigned op = in.next();
    const auto arg = [&in](unsigned n) { return static_cast<int>(in.next() % n); };
    switch (op % 16) {
        case 0:
        case 1:
        case 2:
        case 3:
            return {Kind::Press, arg(7), {}};
        case 4:
        case 5:
            return {Kind::Examine, 0, knownWord(in)};
        case 6:
            return {Kind::Type, 0, in.take(in.next())};  // raw bytes: invalid UTF-8, controls
        case 7: {
            // A short chunk repeated into a huge word.
            std::string chunk = in.take(in.next() % 16 + 1);
            const std::size_t times = (in.next() << 8U | in.next()) + 1;
            std::string word;
            while (!chunk.empty() && word.size() < kMaxHugeWord &&
                   word.size() < chunk.size() * times)
                word += chunk;
            return {Kind::Type, 0, word};
        }
        case 8: {
            // A known word with something stuck on: a blank, a Latin look-alike, a NUL...
            std::string word = knownWord(in);
            const bool before = (in.next() & 1U) != 0;
            std::string extra = in.take(in.next() % 4 + 1);
            return {Kind::Type, 0, before ? extra + word : word + extra};
        }
        case 9:
            return {Kind::Ask, arg(5), {}};
        case 10:
            return {Kind::Say, arg(6), {}};
        case 11:
            return {Kind::Turn, arg(3), {}};
        case 12: {
            constexpr Kind kWindowClicks[] = {Kind::ClaimVictory, Kind::AcceptDeath, Kind::Finish,
                                              Kind::OpenAbout, Kind::CloseAbout};
            return {kWindowClicks[arg(5)], 0, {}};
        }
        case 13: {
            constexpr Kind kQuiet[] = {Kind::DismissIntro, Kind::SplashTimerTick,
                                       Kind::BlinkAboutTitle};
            return {kQuiet[arg(3)], 0, {}};
        }
        case 14: {
            // The ways to end a run, rarer than the rest.
            const int how = arg(8);
            if (how == 0) return {Kind::Exit, 0, {}};
            if (how == 1) return {Kind::RequestCloseMain, 0, {}};
            if (how < 7) return {Kind::RequestClose, how - 1, {}};  // a secondary window
            return {Kind::Press, static_cast<int>(tarvilon::Verb::Examine), {}};
        }
        default:
            return {Kind::Press, static_cast<int>(tarvilon::Verb::Examine), {}};
    }
}

// Decodes the input again to print the actions up to the one that broke something.
[[noreturn]] void fail(const std::uint8_t* data, std::size_t size, int actions,
                       const std::vector<std::string>& broken) {
    std::fprintf(stderr, "\nINVARIANT BROKEN after these actions:\n");
    Bytes in(data, size);
    Game game;
    for (int i = 0; i < actions; ++i) {
        const Action a = decode(in);
        std::fprintf(stderr, "  %d. %s\n", i + 1, describe(a, game).c_str());
        apply(game, a);
    }
    std::fprintf(stderr, "STATE: %s\n", tarvilon::explorer::describeState(game).c_str());
    for (const std::string& b : broken) std::fprintf(stderr, "BROKEN: %s\n", b.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    Game game;
    for (int i = 0; i < kMaxActions && !in.empty(); ++i) {
        const Action a = decode(in);
        const Game before = game;
        apply(game, a);
        auto broken = tarvilon::explorer::brokenInvariants(game);
        for (std::string& b : tarvilon::explorer::brokenStepRules(before, a, game))
            broken.push_back(std::move(b));
        if (!broken.empty()) fail(data, size, i + 1, broken);
    }
    return 0;
}
