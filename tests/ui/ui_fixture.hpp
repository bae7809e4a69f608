#pragma once

// Shared helpers for the window tests: a running shell, widgets by their layout names, and
// clicks and drags sent as the window system would send them.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "shell/look.hpp"
#include "shell/main_window.hpp"
#include "shell/secondary_window.hpp"
#include "shell/shell.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui::testing {

// A shell whose windows have been shown, as at start-up; Russian without a catalog.
inline std::unique_ptr<Shell> startShell(Game game = {}, layout::Catalog catalog = {}) {
    auto shell = std::make_unique<Shell>(std::move(game), std::move(catalog));
    shell->start();
    return shell;
}

// Whatever kind of box or label the control is, its text.
inline QString textOf(const QWidget& window, const char* name) {
    const QString n = QString::fromLatin1(name);
    if (auto* l = window.findChild<QLabel*>(n)) return l->text();
    if (auto* e = window.findChild<QLineEdit*>(n)) return e->text();
    if (auto* b = window.findChild<QPlainTextEdit*>(n)) return b->toPlainText();
    return QStringLiteral("<no control %1>").arg(n);
}

// A left click on the point where the player would click: whatever is on top there gets it,
// a hidden control gets nothing, and a disabled window ignores it.
inline void clickAt(QWidget& window, QPoint at) {
    QWidget* target = window.childAt(at);
    if (target == nullptr) target = &window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, at));
}

// A click in the middle of the named control, as the player sees it.
inline void click(QWidget& window, const char* name) {
    const QWidget& w = named(window, name);
    if (!w.isVisible()) return;
    clickAt(window, w.mapTo(&window, w.rect().center()));
}

inline void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

// Key presses carrying text, one per character; QTest's own key clicks take ASCII only.
inline void typeInto(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

}  // namespace tarvilon::ui::testing
