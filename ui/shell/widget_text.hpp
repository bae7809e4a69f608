#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QtGlobal>
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

// A widget named as the layout names it. The layout is fixed, so a missing name, or a widget
// of another kind under it, is a bug: it stops the program in every build, naming what failed.
template <typename T = QWidget>
T& named(const QObject& parent, std::string_view name) {
    T* w = parent.findChild<T*>(qt(name));
    if (w == nullptr)
        qFatal("%s has no %s named %.*s", qPrintable(parent.objectName()),
               T::staticMetaObject.className(), static_cast<int>(name.size()), name.data());
    return *w;
}

}  // namespace tarvilon::ui
