#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string_view>

#include "catalog.hpp"
#include "game.hpp"
#include "layout.hpp"

namespace tarvilon::ui {

class MainWindow;
class SecondaryWindow;

// The Qt side of the window protocol. It owns the run's Game, the catalog of the language it
// is shown in, every window and the game's two timers; each click or edit is forwarded through the
// layout as one call on the game, and then every window redraws itself from the game's state. A
// secondary window is created the first time the game says it exists and is never destroyed before
// the program ends. A window that comes up takes the focus to the first control of its reading
// order that Tab reaches.
class Shell : public QObject {
    Q_OBJECT
  public:
    // Without a catalog, the Russian game.
    explicit Shell(Game game = {}, layout::Catalog catalog = {});
    ~Shell() override;

    // Shows the main window and starts its splash timer.
    void start();
    // Runs one action on the game, then redraws.
    void act(const std::function<void(Game&)>& action);
    // A click on a control of a window, the player's edit of a box, and the window system's
    // request to close a window: each the one thing the layout says it is, then a redraw.
    void click(Window window, const layout::Control& control);
    void type(Window window, const layout::Control& control, std::string_view text);
    void requestClose(Window window);

    [[nodiscard]] const Game& game() const { return game_; }
    [[nodiscard]] const layout::Catalog& catalog() const { return catalog_; }
    [[nodiscard]] MainWindow& mainWindow() { return *main_; }
    // Null until the game first shows the window.
    [[nodiscard]] QWidget* window(Window w) const;
    // The widget built for a row of the window's table; null until the window exists.
    [[nodiscard]] QWidget* widget(Window w, const layout::Control& control) const;
    // The main window's timer that ends the title splash, and the about window's that blinks
    // its title.
    [[nodiscard]] QTimer& splashTimer() { return splashTimer_; }
    [[nodiscard]] QTimer& blinkTimer() { return blinkTimer_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The run is over: every window is gone and the program should stop.
    void ended(tarvilon::Ending how);

  private:
    void redraw();
    SecondaryWindow& create(Window w);
    [[nodiscard]] SecondaryWindow* secondary(Window w) const;

    Game game_;
    layout::Catalog catalog_;  // before the windows, which are built in its language
    std::unique_ptr<MainWindow> main_;
    std::array<std::unique_ptr<SecondaryWindow>, kWindowCount> windows_;
    QTimer splashTimer_;
    QTimer blinkTimer_;
    bool endSignalled_ = false;
    // Whether the player's last press was a key rather than a pointer's: the focus the game
    // moves then (a dialogue's first line, the way back from one) is marked as Tab's is.
    bool keyboardLast_ = false;
};

}  // namespace tarvilon::ui
