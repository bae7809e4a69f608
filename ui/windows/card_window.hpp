#pragma once

#include <array>

#include "game.hpp"
#include "shell/secondary_window.hpp"

namespace tarvilon::ui {

// Stol: the card of fate. Three cards, black on black until one is turned to white.
class CardWindow : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit CardWindow(Shell& shell);
    void redraw(const Game& game) override;

  private:
    std::array<ClickLabel*, kCardCount> cards_{};
    ClickLabel* victory_ = nullptr;
    ClickLabel* death_ = nullptr;
    QLabel* dealNumber_ = nullptr;
};

}  // namespace tarvilon::ui
