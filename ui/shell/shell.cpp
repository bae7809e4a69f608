#include "shell/shell.hpp"

#include <QWindow>

#include "shell/main_window.hpp"
#include "shell/secondary_window.hpp"
#include "windows/about_window.hpp"
#include "windows/card_window.hpp"
#include "windows/ending_window.hpp"
#include "windows/forester_window.hpp"
#include "windows/guard_window.hpp"

namespace tarvilon::ui {
namespace {

constexpr std::size_t index(Window w) {
    return static_cast<std::size_t>(w);
}

constexpr std::array kAllWindows = {Window::Info, Window::Lesnik, Window::Musik, Window::Stol,
                                    Window::Form2};

}  // namespace

Shell::Shell(Game game) : game_(std::move(game)), main_(std::make_unique<MainWindow>(*this)) {
    redraw();
}

Shell::~Shell() = default;

void Shell::start() {
    main_->show();
    main_->startSplashTimer();
}

SecondaryWindow* Shell::window(Window w) const {
    return windows_[index(w)].get();
}

void Shell::act(const std::function<void(Game&)>& action) {
    action(game_);
    redraw();
}

void Shell::tick(const std::function<void(Game&)>& action, Window only) {
    action(game_);
    // A hidden window catches up when it is shown again: redraw() runs before every show.
    if (SecondaryWindow* w = window(only); w != nullptr && w->isVisible()) w->redraw(game_);
}

SecondaryWindow& Shell::create(Window w) {
    std::unique_ptr<SecondaryWindow> made;
    switch (w) {
        case Window::Info:
            made = std::make_unique<AboutWindow>(*this);
            break;
        case Window::Lesnik:
            made = std::make_unique<ForesterWindow>(*this);
            break;
        case Window::Musik:
            made = std::make_unique<GuardWindow>(*this);
            break;
        case Window::Stol:
            made = std::make_unique<CardWindow>(*this);
            break;
        case Window::Form2:
            made = std::make_unique<EndingWindow>(*this);
            break;
    }
    // Stays above the main window without being its child: a child would be disabled with it.
    made->winId();
    if (main_->windowHandle() != nullptr)
        made->windowHandle()->setTransientParent(main_->windowHandle());
    windows_[index(w)] = std::move(made);
    return *windows_[index(w)];
}

void Shell::redraw() {
    if (game_.ended()) {
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
    for (Window which : kAllWindows) {
        const bool exists = game_.windows().created(which);
        if (!exists) continue;
        SecondaryWindow& w = window(which) != nullptr ? *window(which) : create(which);
        w.redraw(game_);
        const bool visible = game_.windows().visible(which);
        if (visible && !w.isVisible()) {
            w.show();
            w.raise();
            w.activateWindow();
        } else if (!visible && w.isVisible()) {
            w.hide();
            closedOne = true;
        }
    }
    // Input goes back to the main window when a dialogue closes.
    if (closedOne && game_.windows().mainEnabled()) main_->activateWindow();
}

}  // namespace tarvilon::ui
