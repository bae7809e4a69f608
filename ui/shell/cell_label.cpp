#include "shell/cell_label.hpp"

#include <QPainter>

#include "layout.hpp"

namespace tarvilon::ui {

CellLabel::CellLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // The text is drawn, and so fitted, inside the border and the indent.
    constexpr int kSide = layout::kCellBorderPx + layout::kCellIndentPx;
    setContentsMargins(kSide, layout::kCellBorderPx, kSide, layout::kCellBorderPx);
}

void CellLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect inside = contentsRect();
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
