#include "shell/click_label.hpp"

#include <QMouseEvent>

namespace tarvilon::ui {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    // Taking the press keeps it from reaching the window behind, which would start a drag.
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) emit clicked();
}

}  // namespace tarvilon::ui
