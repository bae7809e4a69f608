#include "shell/main_window.hpp"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <string_view>

#include "game.hpp"
#include "shell/pictures.hpp"
#include "shell/shell.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {

MainWindow::MainWindow(Shell& shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      shell_(shell),
      controls_(*this, layout::Form::Form1,
                [this](std::string_view control) { shell_.click(layout::Form::Form1, control); }) {
    placeWindow(*this, layout::of(layout::Form::Form1));
    setWindowIcon(skullIcon());
    // Minimising is the window system's business, not the game's.
    connect(&named<QPushButton>(*this, "Command1"), &QPushButton::clicked, this,
            [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    // textChanged, not textEdited: a screen reader sets the box's text programmatically,
    // which emits only textChanged. The redraw's own writes are kept out by FormControls.
    connect(&named<QLineEdit>(*this, "Text3"), &QLineEdit::textChanged, this,
            [this](const QString& text) {
                const QByteArray word = text.toUtf8();
                shell_.act([&word](Game& g) {
                    g.type({word.constData(), static_cast<std::size_t>(word.size())});
                });
            });
}

void MainWindow::startSplashTimer() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);             // the first tick stops it for good
    timer1_->setTimerType(Qt::PreciseTimer);  // a coarse timer may end the splash early
    timer1_->setInterval(layout::kSplashMilliseconds);
    connect(timer1_, &QTimer::timeout, this,
            [this] { shell_.act([](Game& g) { g.splashTimerTick(); }); });
    timer1_->start();
}

void MainWindow::redraw(const Game& game) {
    controls_.redraw(game);
    setEnabled(layout::enabled(game, layout::Form::Form1));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Any button records the anchor, in twips like the layout.
    msePosX_ = static_cast<float>(event->position().x() * kTwipsPerPixel);
    msePosY_ = static_cast<float>(event->position().y() * kTwipsPerPixel);
    // Where the window system will not let a program place its own window (Wayland), the
    // window system moves it instead.
    if (event->buttons() == Qt::LeftButton && QGuiApplication::platformName() == "wayland" &&
        windowHandle() != nullptr)
        windowHandle()->startSystemMove();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    // Only while exactly the left button is held; left and right together do not drag.
    if (event->buttons() != Qt::LeftButton) return;
    const double dx = event->position().x() * kTwipsPerPixel - msePosX_;
    const double dy = event->position().y() * kTwipsPerPixel - msePosY_;
    // The window follows the pointer's offset from the anchor. Left and top are set in one
    // move: two (left, then top) would end in the same place by way of a frame in between.
    move(x() + qRound(dx / kTwipsPerPixel), y() + qRound(dy / kTwipsPerPixel));
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    // With no title bar, a raised edge is what tells the window from the desktop behind it.
    QWidget::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window system closing the main window ends the run, as "Выход" does.
    event->accept();
    shell_.act([](Game& g) { g.requestCloseMain(); });
}

}  // namespace tarvilon::ui
