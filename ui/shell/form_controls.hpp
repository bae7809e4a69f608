#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game.hpp"
#include "layout.hpp"

namespace tarvilon::ui {

// The widgets of one window, made from its layout table (one kind of widget per kind of
// control) and redrawn from the game: each control shows what layout::view() says, and only
// what changed is written, so a redraw after every event neither flickers nor announces
// changes that did not happen.
class FormControls {
  public:
    // What a click on a clickable control (a label that acts as a button, a push button)
    // does: it is given the control's name.
    using OnClick = std::function<void(std::string_view control)>;

    // Builds every control of the form's table on `window`, from the top of the stacking
    // order down.
    FormControls(QWidget& window, layout::Form form, const OnClick& onClick);

    void redraw(const Game& game);

  private:
    struct Built {
        const layout::Control* control;
        QWidget* widget;
        std::string shown;  // what a read-only box was last given; only the game writes it
    };

    layout::Form form_;
    std::vector<Built> built_;
};

// The window's frame and place from its table: position, fixed size, title, names, ground.
void placeWindow(QWidget& window, const layout::WindowLayout& table);

}  // namespace tarvilon::ui
