#pragma once

#include <QFrame>
#include <QString>

namespace tarvilon::ui {

// Makes every ClickLabel a push button to assistive technology, and every Announcer something
// a screen reader speaks. Call once, after the QApplication exists.
void installAccessibility();

// A sunken panel that holds labels. Qt gives a plain frame the role of a window, and a screen
// reader then takes the controls in it for a window's that is not the active one and keeps
// quiet about their focus; this one is a group.
class Panel : public QFrame {
    Q_OBJECT
  public:
    using QFrame::QFrame;
};

// Tells a screen reader a text at once, wherever the focus is: what a verb wrote, a dialogue's
// answer, a card as it turns. Qt 6.4 has no announcement call, and its AT-SPI bridge drops an
// alert; a text that changes in a box without the focus is not spoken either. What the bridge
// does pass on is an object being shown, and Orca speaks a notification the moment it is shown,
// and without naming its role when it sits in a status bar. So each window holds a hidden status
// bar with one notification in it, which takes the text as its name and is shown anew.
class Announcer {
  public:
    explicit Announcer(QWidget& window);
    void say(const QString& text) const;

  private:
    QWidget* notice_;
};

}  // namespace tarvilon::ui
