#pragma once

#include <QLabel>

namespace tarvilon::ui {

// A label that acts as a button: verbs, "ДАЛЕЕ...", dialogue lines, cards and result labels.
// Tab reaches it and Space or Enter presses it; a pointer press clicks it without taking the
// focus, which stays where it was (the input box, for the next word). Screen readers see it as
// a push button with a press action (installAccessibility()).
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // What a click does, for callers that are not a mouse (a screen reader's press action).
    void activate();

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool pressed_ = false;
    bool spaceDown_ = false;
};

// Draws the style's mark of the keyboard's focus over all of `surface` for the focused widget
// (the widget itself, or the viewport of a box), or only its edge so many pixels deep where it
// would cover a whole text; the style draws it only after a key moved the focus.
void drawFocusMark(QWidget& surface, const QWidget& focused, int edge = 0);

}  // namespace tarvilon::ui
