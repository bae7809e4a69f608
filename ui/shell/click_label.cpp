#include "shell/click_label.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

namespace tarvilon::ui {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    // A press here belongs to the label, never to a drag of the window behind it.
    setAttribute(Qt::WA_NoMousePropagation);
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::activate() {
    emit clicked();
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
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

// As a push button takes them: Enter clicks as it goes down, Space as it comes up, and a held
// key does not click again.
void ClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) spaceDown_ = true;
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            if (!event->isAutoRepeat()) emit clicked();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void ClickLabel::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // Only a Space that went down here: the one that opened a window does not click its first line.
    if (std::exchange(spaceDown_, false)) emit clicked();
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) drawFocusMark(*this, *this);
}

void drawFocusMark(QWidget& surface, const QWidget& focused, int edge) {
    // The style's own focus mark, which it draws only when the focus came from the keyboard,
    // in a colour that stands out from the ground (the cards are black, the forester's
    // window dark).
    QStyleOptionFocusRect option;
    option.initFrom(&focused);
    option.rect = surface.rect();
    option.backgroundColor = surface.palette().color(surface.backgroundRole());
    if (option.backgroundColor.lightness() < 128)
        option.palette.setColor(QPalette::Highlight, focused.palette().color(QPalette::Light));
    QPainter painter(&surface);
    if (edge > 0)
        painter.setClipRegion(QRegion(option.rect) -
                              option.rect.adjusted(edge, edge, -edge, -edge));
    focused.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &focused);
}

}  // namespace tarvilon::ui
