#include "windows/about_window.hpp"

#include <QTimer>

#include "shell/shell.hpp"

namespace tarvilon::ui {

AboutWindow::AboutWindow(Shell& shell) : SecondaryWindow(shell, Window::Info) {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(layout::kBlinkMilliseconds);
    connect(timer1_, &QTimer::timeout, this,
            [this] { this->shell().tick([](Game& g) { g.blinkAboutTitle(); }, Window::Info); });
    timer1_->start();
}

}  // namespace tarvilon::ui
