#pragma once

#include "shell/secondary_window.hpp"

class QLabel;

namespace tarvilon::ui {

// lesnik: the forester's portrait, his last answer and the player's five lines.
class ForesterWindow : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit ForesterWindow(Shell& shell);
    void redraw(const Game& game) override;

  private:
    QLabel* answer_ = nullptr;
};

}  // namespace tarvilon::ui
