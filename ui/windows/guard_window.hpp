#pragma once

#include <array>

#include "game.hpp"
#include "shell/secondary_window.hpp"

class QLabel;

namespace tarvilon::ui {

// musik: the guard's portrait, his last answer and the player's lines, revealed one after
// another as the conversation goes on.
class GuardWindow : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit GuardWindow(Shell& shell);
    void redraw(const Game& game) override;

  private:
    QLabel* answer_ = nullptr;
    std::array<ClickLabel*, kGuardLineCount> lines_{};
};

}  // namespace tarvilon::ui
