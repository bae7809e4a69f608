#pragma once

#include <QLabel>

namespace tarvilon::ui {

// A label that acts as a button: verbs, dialogue lines, cards and result labels.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace tarvilon::ui
