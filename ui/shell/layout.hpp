#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QLabel;
class QWidget;

namespace tarvilon::ui {

// The look the windows share: the classic grey face, and the fonts the layout names.
enum class FontRole {
    Default,  // the window's default font, 8.25 pt
    Large,    // 9.75 pt: the actions panel's verbs, the level and its heading
    Title,    // 24 pt bold: the title splash
    Small,    // 8.25 pt bold: the two small buttons
};

QFont font(FontRole role);

// Colours of the classic 16-colour palette that the game names.
inline constexpr QColor kDarkBlue{0, 0, 128};         // colour 1
inline constexpr QColor kDarkGreen{0, 128, 0};        // colour 2
inline constexpr QColor kBrightWhite{255, 255, 255};  // colour 15

// Loads the bundled font and sets the application's palette, font and style. Call once,
// after the QApplication exists.
void installLook();

// Shrinks the label's font, if need be, until its caption fits its box.
void fitCaption(QLabel& label);
// Lets the parent's background show through (labels).
void makeTransparent(QWidget& w);
void setTextColour(QWidget& w, const QColor& colour);

}  // namespace tarvilon::ui
