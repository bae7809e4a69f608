#pragma once

#include <QWidget>
#include <vector>

#include "game.hpp"
#include "layout.hpp"
#include "shell/accessibility.hpp"

namespace tarvilon::ui {

class Shell;

// The widgets of one window, made from its layout table (one kind of widget per kind of
// control) and redrawn from the game: each control shows what layout::view() says in the
// shell's language, and only
// what changed since the last redraw is written, so a redraw after every event neither
// flickers nor announces changes that did not happen; what the layout says a screen reader
// must hear of a change is announced. Tab moves through the controls in the window's reading
// order. Clicks and typing go to the shell with the row they came from.
class FormControls {
  public:
    // Builds every control of the window's table on `frame`, from the top of the stacking
    // order down.
    FormControls(QWidget& frame, Window window, Shell& shell);

    void redraw(const Game& game);
    // As the window comes up: gives the focus to the first control Tab reaches now that the
    // player acts on, described by what the boxes before it in the reading order say, so
    // that a screen reader reads them out with it (the intro with "ДАЛЕЕ...", the epilogue
    // with "Конец...") where it would read only their first lines.
    void focusFirst(const Game& game) const;
    // The widget built for the row; null for a row of another window.
    [[nodiscard]] QWidget* widget(const layout::Control& control) const;

  private:
    struct Built {
        const layout::Control* control;
        QWidget* widget;
        layout::Shown drawn;  // what the widget shows now
    };

    Window window_;
    const layout::Catalog& catalog_;
    std::vector<Built> built_;
    Announcer announcer_;
};

// The window's frame and place from its table: position, fixed size, title, names, ground.
void placeWindow(QWidget& window, const layout::WindowLayout& table);

}  // namespace tarvilon::ui
