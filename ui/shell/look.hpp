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
// Colours of the classic 16-colour palette that the game names.
inline constexpr QColor kDarkBlue = colourOf(layout::kDarkBlue);
inline constexpr QColor kDarkGreen = colourOf(layout::kDarkGreen);
inline constexpr QColor kBrightWhite = colourOf(layout::kBrightWhite);

// Loads the bundled font and sets the application's palette, font and style. Call once,
// after the QApplication exists.
void installLook();

// Shrinks the label's font, if need be, until its caption fits its box.
void fitCaption(QLabel& label);
// Lets the parent's background show through (labels).
void makeTransparent(QWidget& w);
void setTextColour(QWidget& w, const QColor& colour);

}  // namespace tarvilon::ui
