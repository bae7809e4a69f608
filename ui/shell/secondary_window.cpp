#include "shell/secondary_window.hpp"

#include <QCloseEvent>

#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/shell.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {

SecondaryWindow::SecondaryWindow(Shell& shell, Window which, QRect clientArea,
                                 Qt::WindowFlags flags)
    : QFrame(nullptr, flags), shell_(shell), which_(which) {
    setGeometry(clientArea);
    setFixedSize(clientArea.size());
    // A raised edge, as a dialog frame has; without a window manager it is the only edge.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    // Only the game may close a window; the redraw hides it when the game agrees.
    event->ignore();
    const Window w = which_;
    shell_.act([w](Game& g) { g.requestClose(w); });
}

namespace {

void place(QLabel& label, const char* name, QRect rect, std::string_view caption) {
    label.setObjectName(QString::fromLatin1(name));
    label.setGeometry(rect);
    label.setTextFormat(Qt::PlainText);
    label.setText(qt(caption));
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);  // a label's text starts at its top
    makeTransparent(label);
    label.lower();
}

}  // namespace

QLabel& SecondaryWindow::addLabel(const char* name, QRect rect, std::string_view caption) {
    auto* label = new QLabel(this);
    place(*label, name, rect, caption);
    return *label;
}

ClickLabel& SecondaryWindow::addLine(const char* name, QRect rect, std::string_view caption,
                                     std::function<void(Game&)> action) {
    auto* line = new ClickLabel(this);
    place(*line, name, rect, caption);
    ClickLabel& label = *line;
    connect(&label, &ClickLabel::clicked, this,
            [this, action = std::move(action)] { shell_.act(action); });
    return label;
}

}  // namespace tarvilon::ui
