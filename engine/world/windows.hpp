#pragma once

#include <array>
#include <cstddef>

namespace tarvilon {

// The game's windows, each a single instance for the whole run: the main window, and the
// secondary windows that it brings up.
enum class Window {
    Form1,   // the main window, there from the start until the run ends
    Info,    // about box
    Lesnik,  // forester dialogue
    Musik,   // guard dialogue
    Stol,    // card of fate
    Form2,   // ending
};
inline constexpr std::array kSecondaryWindows = {Window::Info, Window::Lesnik, Window::Musik,
                                                 Window::Stol, Window::Form2};
inline constexpr std::size_t kWindowCount = kSecondaryWindows.size() + 1;

// How a run ended; None while it goes on.
enum class Ending { None, Exit, Death, Finale };

// The window protocol's state: which windows exist and show, whether the main window takes
// input, and whether the run is over. Windows are only ever shown and hidden, never destroyed,
// so a window shown again is exactly as it was left.
class Windows {
  public:
    // Makes w visible. Returns true when this call brought w into being, so that the caller
    // runs its load handler exactly once per run.
    bool show(Window w) {
        const bool first = !created_[index(w)];
        created_[index(w)] = true;
        visible_[index(w)] = true;
        return first;
    }
    void hide(Window w) { visible_[index(w)] = false; }
    // Secondary windows are never disabled, so enabling one has nothing to undo; the call
    // stays so that the rules read like the protocol they follow.
    void enable(Window) {}
    void disableMain() { mainEnabled_ = false; }
    void enableMain() { mainEnabled_ = true; }
    void end(Ending how) {
        if (ending_ == Ending::None) ending_ = how;
    }

    [[nodiscard]] bool created(Window w) const { return created_[index(w)]; }
    [[nodiscard]] bool visible(Window w) const { return !ended() && visible_[index(w)]; }
    [[nodiscard]] bool mainEnabled() const { return mainEnabled_; }
    [[nodiscard]] bool ended() const { return ending_ != Ending::None; }
    [[nodiscard]] Ending ending() const { return ending_; }
    [[nodiscard]] bool anySecondaryVisible() const {
        for (Window w : kSecondaryWindows)
            if (visible(w)) return true;  // the end takes every window away
        return false;
    }

    friend bool operator==(const Windows&, const Windows&) = default;

  private:
    static constexpr std::size_t index(Window w) { return static_cast<std::size_t>(w); }

    // The main window is made and shown with the run; the others when the game first shows
    // them.
    std::array<bool, kWindowCount> created_{true};
    std::array<bool, kWindowCount> visible_{true};
    bool mainEnabled_ = true;
    Ending ending_ = Ending::None;
};

}  // namespace tarvilon
