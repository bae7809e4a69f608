#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "game.hpp"
#include "layout.hpp"

namespace tarvilon::ui {

class MainWindow;
class SecondaryWindow;

// Every window but the main one, in the engine's order.
inline constexpr std::array kSecondaryWindows = {Window::Info, Window::Lesnik, Window::Musik,
                                                 Window::Stol, Window::Form2};

// The Qt side of the window protocol. It owns the run's Game and every window; each click is
// forwarded to the game as one call, and then every window redraws itself from the game's
// state. A secondary window is created the first time the game says it exists and is never
// destroyed before the program ends.
class Shell : public QObject {
    Q_OBJECT
  public:
    explicit Shell(Game game = {});
    ~Shell() override;

    // Shows the main window and starts its splash timer.
    void start();
    // Runs one action on the game, then redraws.
    void act(const std::function<void(Game&)>& action);
    // A click on the named control of a window: the one call on the game it stands for, then
    // a redraw.
    void click(layout::Form form, std::string_view control);
    // A tick that only the given window shows (the about box's blink).
    void tick(const std::function<void(Game&)>& action, Window only);

    [[nodiscard]] const Game& game() const { return game_; }
    [[nodiscard]] MainWindow& mainWindow() { return *main_; }
    // Null until the game first shows the window.
    [[nodiscard]] SecondaryWindow* window(Window w) const;

  signals:
    // The run is over: every window is gone and the program should stop.
    void ended(tarvilon::Ending how);

  private:
    void redraw();
    SecondaryWindow& create(Window w);

    Game game_;
    std::unique_ptr<MainWindow> main_;
    std::array<std::unique_ptr<SecondaryWindow>, kWindowCount> windows_;
    bool endSignalled_ = false;
};

}  // namespace tarvilon::ui
