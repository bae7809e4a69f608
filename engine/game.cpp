#include "game.hpp"

#include "verbs/verbs.hpp"

namespace tarvilon {

void Game::type(std::string_view word) {
    if (mainTakesInput()) world_.objectWord = word;
}

void Game::press(Verb verb) {
    if (!mainTakesInput()) return;
    switch (verb) {
        case Verb::LookAround:
            verbs::lookAround(*this);
            break;
        case Verb::Examine:
            verbs::examine(*this);
            break;
        case Verb::Talk:
            verbs::talk(*this);
            break;
        case Verb::Go:
            verbs::go(*this);
            break;
        case Verb::Craft:
            verbs::craft(*this);
            break;
        case Verb::DigShoot:
            verbs::digShoot(*this);
            break;
        case Verb::PickUp:
            verbs::pickUp(*this);
            break;
    }
}

void Game::dismissIntro() {
    if (mainTakesInput()) introVisible_ = false;
}

void Game::splashTimerTick() {
    // The first tick hides the splash and stops the timer for good.
    if (ended() || !splashTimerRunning_) return;
    splashVisible_ = false;
    splashTimerRunning_ = false;
}

void Game::exit() {
    if (mainTakesInput()) windows_.end(Ending::Exit);
}

void Game::openAbout() {
    if (!mainTakesInput()) return;
    show(Window::Info);
    windows_.disableMain();
}

void Game::closeAbout() {
    if (takesInput(Window::Info)) close(Window::Info);
}

void Game::blinkAboutTitle() {
    if (!ended() && windows_.created(Window::Info)) aboutTitle_.blink();
}

void Game::ask(ForesterLine line) {
    if (!takesInput(Window::Lesnik)) return;
    if (line == ForesterLine::Bye)
        close(Window::Lesnik);
    else
        forester_.ask(line);
}

void Game::say(GuardLine line) {
    if (static_cast<std::size_t>(line) >= kGuardLineCount) return;
    if (!takesInput(Window::Musik) || !guard_.isOffered(line)) return;
    if (line == GuardLine::SeeYou)
        close(Window::Musik);
    else
        guard_.say(line, world_);
}

void Game::turn(Card card) {
    if (static_cast<std::size_t>(card) >= kCardCount) return;
    if (takesInput(Window::Stol) && cards_.isShown(card)) cards_.turn(card);
}

void Game::claimVictory() {
    if (!takesInput(Window::Stol) || !cards_.victoryShown) return;
    world_.setFlag(Flag::T2, 1);
    world_.setFlag(Flag::T4, 1);
    close(Window::Stol);
}

void Game::acceptDeath() {
    if (takesInput(Window::Stol) && cards_.deathShown) windows_.end(Ending::Death);
}

void Game::finish() {
    if (takesInput(Window::Form2)) windows_.end(Ending::Finale);
}

void Game::requestClose(Window w) {
    if (w == Window::Form1) windows_.end(Ending::Exit);
    if (w == Window::Form2) finish();
}

void Game::show(Window w) {
    if (windows_.show(w) && w == Window::Stol) cards_.dealFrom(chance_);
}

void Game::close(Window w) {
    windows_.hide(w);
    windows_.enableMain();
}

}  // namespace tarvilon
