#pragma once

#include <QLabel>

namespace tarvilon::ui {

// A label that acts as a button: verbs, "ДАЛЕЕ...", dialogue lines, cards and result labels.
// Screen readers see it as a push button with a press action.
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

  private:
    bool pressed_ = false;
};

// Makes every ClickLabel a push button to assistive technology. Call once, after the
// QApplication exists.
void installClickLabelAccessibility();

}  // namespace tarvilon::ui
