#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <string_view>

namespace tarvilon::ui {

// The engine speaks UTF-8; Qt widgets speak QString. This is the one place they meet.
inline QString qt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The game's prose breaks its lines with CR LF; a text box shows each as one line break.
inline QString displayText(std::string_view utf8) {
    QString s = qt(utf8);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

// A widget named as the layout names it. The layout is fixed, so a missing name is a bug.
template <typename T>
T& named(const QObject& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT(w != nullptr);
    return *w;
}

// The setters change a widget only when its text differs, so a redraw after every event
// neither flickers nor moves a cursor nor announces changes that did not happen.
inline void setCaption(QLabel& label, std::string_view utf8) {
    const QString s = qt(utf8);
    if (label.text() != s) label.setText(s);
}
inline void setInputText(QLineEdit& box, std::string_view utf8) {
    const QString s = qt(utf8);
    if (box.text() != s) box.setText(s);
}

}  // namespace tarvilon::ui
