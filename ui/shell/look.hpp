#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

#include "layout.hpp"

class QLabel;
class QWidget;

namespace tarvilon::ui {

// The look the windows share: the classic grey face, and the fonts the layout names, in the
// bundled face.
QFont font(layout::Font role);

constexpr QColor colourOf(layout::Colour c) {
    return {c.r, c.g, c.b};
}

// Loads the bundled font and sets the application's palette, font and style. Call once,
// after the QApplication exists.
void installLook();

// The label's caption in the table's font, made smaller if need be until it fits the width
// its text is drawn in. Called whenever the caption changes.
void fitCaption(QLabel& label, layout::Font role);
void setTextColour(QWidget& w, const QColor& colour);

}  // namespace tarvilon::ui
