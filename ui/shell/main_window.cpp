#include "shell/main_window.hpp"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "game.hpp"
#include "shell/pictures.hpp"
#include "shell/shell.hpp"
#include "shell/twips.hpp"

namespace tarvilon::ui {

MainWindow::MainWindow(Shell& shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      shell_(shell),
      controls_(*this, Window::Form1, shell) {
    placeWindow(*this, layout::translated(layout::of(Window::Form1), shell.catalog()));
    setWindowIcon(skullIcon());
}

void MainWindow::redraw(const Game& game) {
    controls_.redraw(game);
    const bool enabled = layout::enabled(game, Window::Form1);
    if (enabled == isEnabled()) return;
    // Disabling the window takes the focus out of it: it comes back where it was.
    if (!enabled) returnTo_ = focusWidget();
    setEnabled(enabled);
    if (enabled && returnTo_ != nullptr) returnTo_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Any button records the anchor, in twips like the layout.
    msePosX_ = static_cast<float>(event->position().x() * kTwipsPerPixel);
    msePosY_ = static_cast<float>(event->position().y() * kTwipsPerPixel);
    // Where the window system will not let a program place its own window (Wayland), the
    // window system moves it instead.
    if (event->buttons() == Qt::LeftButton && QGuiApplication::platformName() == "wayland" &&
        windowHandle() != nullptr)
        windowHandle()->startSystemMove();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // Only while exactly the left button is held; left and right together do not drag.
    if (event->buttons() != Qt::LeftButton) return;
    const double dx = event->position().x() * kTwipsPerPixel - msePosX_;
    const double dy = event->position().y() * kTwipsPerPixel - msePosY_;
    // The window follows the pointer's offset from the anchor. Left and top are set in one
    // move: two (left, then top) would end in the same place by way of a frame in between.
    move(x() + qRound(dx / kTwipsPerPixel), y() + qRound(dy / kTwipsPerPixel));
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    // With no title bar, a raised edge is what tells the window from the desktop behind it.
    QWidget::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window system closing the main window ends the run, as "Выход" does.
    event->accept();
    shell_.requestClose(Window::Form1);
}

}  // namespace tarvilon::ui
