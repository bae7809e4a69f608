#pragma once

#include <string>
#include <string_view>

#include "encounters/about_title.hpp"
#include "encounters/card_of_fate.hpp"
#include "encounters/forester.hpp"
#include "encounters/guard.hpp"
#include "world/windows.hpp"
#include "world/world.hpp"

namespace tarvilon {

enum class Verb {
    LookAround,
    Examine,
    Talk,
    Go,
    Craft,
    DigShoot,  // digs, and shoots once the game says so
    PickUp,
};

// A whole run of the game, headless: the world cells, the windows' state and the encounters.
// One entry point per clickable thing. A click that the player could not make at that moment
// (on a disabled main window, on a hidden window, after the end) changes nothing, so the
// state is consistent whatever sequence of calls arrives. Game is a plain value: copying it
// copies the run.
class Game {
  public:
    // Main window
    void type(std::string_view word);  // the input box's new text
    void press(Verb verb);
    void dismissIntro();     // the intro's "next"
    void splashTimerTick();  // the timer that ends the title splash
    void exit();
    void openAbout();

    // Secondary windows
    void closeAbout();
    void blinkAboutTitle();  // the about box's timer, ticking whether shown or not once created
    void ask(ForesterLine line);
    void say(GuardLine line);
    void turn(Card card);
    void claimVictory();  // the victory the cards offer
    void acceptDeath();   // the death the cards offer
    void finish();        // the ending's last click

    // The window system asks a window to close (Alt+F4 and the like). A secondary window
    // refuses, since only its own controls may close it; the ending window takes it as its
    // last click; the main window ends the run.
    void requestClose(Window w);

    [[nodiscard]] const World& world() const { return world_; }
    // For tests and tools that start from a prepared state.
    [[nodiscard]] World& world() { return world_; }
    [[nodiscard]] const Windows& windows() const { return windows_; }
    [[nodiscard]] const Forester& forester() const { return forester_; }
    [[nodiscard]] const Guard& guard() const { return guard_; }
    [[nodiscard]] const CardOfFate& cards() const { return cards_; }
    [[nodiscard]] const AboutTitle& aboutTitle() const { return aboutTitle_; }
    [[nodiscard]] bool splashVisible() const { return splashVisible_; }
    [[nodiscard]] bool splashTimerRunning() const { return splashTimerRunning_; }
    [[nodiscard]] bool introVisible() const { return introVisible_; }
    [[nodiscard]] bool ended() const { return windows_.ended(); }

    // The window protocol, as verbs use it.
    void show(Window w);
    void enable(Window w) { windows_.enable(w); }
    void disableMain() { windows_.disableMain(); }

    friend bool operator==(const Game&, const Game&) = default;

  private:
    [[nodiscard]] bool mainTakesInput() const { return !ended() && windows_.mainEnabled(); }
    [[nodiscard]] bool takesInput(Window w) const { return windows_.visible(w); }
    void close(Window w);  // hide w, enable the main window

    World world_;
    Windows windows_;
    Forester forester_;
    Guard guard_;
    CardOfFate cards_;
    Chance chance_;
    AboutTitle aboutTitle_;
    bool splashVisible_ = true;
    bool splashTimerRunning_ = true;
    bool introVisible_ = true;  // the load handler shows the intro and "ДАЛЕЕ..."
};

}  // namespace tarvilon
