#pragma once

#include <QPointF>
#include <QPointer>
#include <QWidget>

#include "game.hpp"
#include "shell/form_controls.hpp"

namespace tarvilon::ui {

class Shell;

// Form1, the game's window: the level, health, inventory, the three boxes, seven verbs and
// three buttons, built from its layout table. Besides what the table draws it owns what is
// the window system's: dragging by the background, its raised edge, closing.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(Shell& shell);

    void redraw(const Game& game);
    [[nodiscard]] const FormControls& controls() const { return controls_; }
    // The drag anchor, in twips, as the last press on the background left it.
    [[nodiscard]] QPointF dragAnchor() const { return {msePosX_, msePosY_}; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    Shell& shell_;
    FormControls controls_;
    // The drag anchor: pointer position in twips at the last mouse-down on the background.
    float msePosX_ = 0;
    float msePosY_ = 0;
    // Where the focus was when a window over this one disabled it; it goes back there.
    QPointer<QWidget> returnTo_;
};

}  // namespace tarvilon::ui
