#include "shell/shell.hpp"

#include <QApplication>
#include <QWindow>

#include "shell/main_window.hpp"
#include "shell/secondary_window.hpp"

namespace tarvilon::ui {
namespace {

constexpr std::size_t index(Window w) {
    return static_cast<std::size_t>(w);
}

}  // namespace

Shell::Shell(Game game, layout::Catalog catalog)
    : game_(std::move(game)),
      catalog_(std::move(catalog)),
      main_(std::make_unique<MainWindow>(*this)) {
    splashTimer_.setObjectName(QStringLiteral("Timer1"));
    splashTimer_.setSingleShot(true);             // the first tick stops it for good
    splashTimer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may end the splash early
    splashTimer_.setInterval(layout::kSplashMilliseconds);
    connect(&splashTimer_, &QTimer::timeout, this,
            [this] { act([](Game& g) { g.splashTimerTick(); }); });
    // The about window's title blinks from the window's first showing for as long as the
    // program runs; only that window is redrawn, and only while it can be seen.
    blinkTimer_.setObjectName(QStringLiteral("Timer1"));
    blinkTimer_.setInterval(layout::kBlinkMilliseconds);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] {
        game_.blinkAboutTitle();
        if (SecondaryWindow* about = secondary(Window::Info); about && about->isVisible())
            about->redraw(game_);
    });
    // Qt marks the focus only after Tab; a move the game makes after a key press is the
    // player's keyboard too.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == nullptr || !keyboardLast_) return;
        now->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        now->update();
    });
    redraw();
}

Shell::~Shell() = default;

void Shell::start() {
    main_->controls().focusFirst(game_);
    main_->show();
    if (game_.splashTimerRunning()) splashTimer_.start();
}

bool Shell::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        keyboardLast_ = true;
    else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin)
        keyboardLast_ = false;
    return QObject::eventFilter(watched, event);
}

SecondaryWindow* Shell::secondary(Window w) const {
    return windows_[index(w)].get();
}

QWidget* Shell::window(Window w) const {
    if (w == Window::Form1) return main_.get();
    return secondary(w);
}

QWidget* Shell::widget(Window w, const layout::Control& control) const {
    if (w == Window::Form1) return main_->controls().widget(control);
    SecondaryWindow* s = secondary(w);
    return s != nullptr ? s->controls().widget(control) : nullptr;
}

void Shell::act(const std::function<void(Game&)>& action) {
    action(game_);
    redraw();
}

void Shell::click(Window window, const layout::Control& control) {
    switch (layout::click(game_, control)) {
        case layout::Clicked::Nothing:
            break;
        case layout::Clicked::Played:
            redraw();
            break;
        case layout::Clicked::Minimise:  // the window system's business, not the game's
            if (QWidget* w = this->window(window))
                w->setWindowState(w->windowState() | Qt::WindowMinimized);
            break;
    }
}

void Shell::type(Window, const layout::Control& control, std::string_view text) {
    act([&](Game& g) { layout::type(g, control, text, catalog_); });
}

void Shell::requestClose(Window window) {
    act([window](Game& g) { layout::requestClose(g, window); });
}

SecondaryWindow& Shell::create(Window w) {
    auto made = std::make_unique<SecondaryWindow>(*this, w);
    // Stays above the main window without being its child: a child would be disabled with it.
    made->winId();
    if (main_->windowHandle() != nullptr)
        made->windowHandle()->setTransientParent(main_->windowHandle());
    if (w == Window::Info) blinkTimer_.start();
    windows_[index(w)] = std::move(made);
    return *windows_[index(w)];
}

void Shell::redraw() {
    if (game_.ended()) {
        splashTimer_.stop();
        blinkTimer_.stop();
        for (auto& w : windows_)
            if (w) w->hide();
        main_->hide();
        if (!endSignalled_) {
            endSignalled_ = true;
            emit ended(game_.windows().ending());
        }
        return;
    }
    main_->redraw(game_);
    bool closedOne = false;
    for (Window which : kSecondaryWindows) {
        if (!layout::created(game_, which)) continue;
        SecondaryWindow& w = secondary(which) != nullptr ? *secondary(which) : create(which);
        w.redraw(game_);
        const bool visible = layout::visible(game_, which);
        if (visible && !w.isVisible()) {
            w.show();
            w.raise();
            w.activateWindow();
            w.controls().focusFirst(game_);
        } else if (!visible && w.isVisible()) {
            w.hide();
            closedOne = true;
        }
    }
    // Input goes back to the main window when a dialogue closes.
    if (closedOne && layout::enabled(game_, Window::Form1)) main_->activateWindow();
}

}  // namespace tarvilon::ui
