#pragma once

#include <QLabel>

namespace tarvilon::ui {

// A state cell shown as a one-line box: text on its ground (the palette's base) inside a
// single-line border (the inventory slots, health, the deal number). It draws itself so that the
// text's whole line, accents and tails included, sits inside the border whatever the face's line
// spacing.
class CellLabel : public QLabel {
    Q_OBJECT
  public:
    explicit CellLabel(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvilon::ui
