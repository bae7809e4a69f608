#include "shell/cell_label.hpp"

#include <QPainter>

namespace tarvilon::ui {
namespace {

constexpr int kBorder = 1;
constexpr int kIndent = 2;

}  // namespace

CellLabel::CellLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
}

void CellLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect inside = rect().adjusted(kBorder + kIndent, kBorder, -kBorder - kIndent, -kBorder);
    const QFontMetrics metrics = fontMetrics();
    // Centre the ascent and descent, not the face's full line with its leading.
    const int baseline = inside.top() +
                         (inside.height() - metrics.ascent() - metrics.descent()) / 2 +
                         metrics.ascent();
    const int width = metrics.horizontalAdvance(text());
    const int x = alignment().testFlag(Qt::AlignHCenter)
                      ? inside.left() + (inside.width() - width) / 2
                      : inside.left();
    painter.setClipRect(inside);
    painter.drawText(QPoint(x, baseline), text());
}

}  // namespace tarvilon::ui
