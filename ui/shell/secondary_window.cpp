#include "shell/secondary_window.hpp"

#include <QCloseEvent>
#include <QKeyEvent>

#include "shell/shell.hpp"

namespace tarvilon::ui {
namespace {

// The frame of the captionless windows: no title bar, no close box.
constexpr Qt::WindowFlags kBareDialog =
    Qt::Dialog | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
// The about window's: a title bar to move it by, and nothing else: no system menu, no boxes.
constexpr Qt::WindowFlags kTitledDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

Qt::WindowFlags frameOf(Window which) {
    return layout::of(which).title.empty() ? kBareDialog : kTitledDialog;
}

}  // namespace

SecondaryWindow::SecondaryWindow(Shell& shell, Window which)
    : QFrame(nullptr, frameOf(which)),
      shell_(shell),
      which_(which),
      controls_(*this, which, shell) {
    placeWindow(*this, layout::translated(layout::of(which), shell.catalog()));
    // A raised edge, as a dialog frame has; without a window manager it is the only edge.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    // Only the game may close a window; the redraw hides it when the game agrees.
    event->ignore();
    shell_.requestClose(which_);
}

// Escape asks as the window system's close does.
void SecondaryWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        shell_.requestClose(which_);
    else
        QFrame::keyPressEvent(event);
}

}  // namespace tarvilon::ui
