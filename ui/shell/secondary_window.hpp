#pragma once

#include <QFrame>

#include "game.hpp"
#include "shell/form_controls.hpp"

namespace tarvilon::ui {

class Shell;

// One of the small windows, built from its layout table: a fixed-size frame at a fixed screen
// place whose controls are redrawn from the game after every event and whose clicks go to the
// game. The window system's close request (Alt+F4), and Escape, go to the game, which refuses
// them for every window but the ending; the windows' own controls close them.
class SecondaryWindow : public QFrame {
    Q_OBJECT
  public:
    SecondaryWindow(Shell& shell, Window which);

    void redraw(const Game& game) { controls_.redraw(game); }
    [[nodiscard]] const FormControls& controls() const { return controls_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Shell& shell_;
    Window which_;
    FormControls controls_;
};

}  // namespace tarvilon::ui
