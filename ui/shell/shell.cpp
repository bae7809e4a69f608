#include "shell/shell.hpp"

#include <QWindow>

#include "shell/main_window.hpp"
#include "shell/secondary_window.hpp"
#include "windows/about_window.hpp"

namespace tarvilon::ui {
namespace {

constexpr std::size_t index(Window w) {
    return static_cast<std::size_t>(w);
}

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

void Shell::click(layout::Form form, std::string_view control) {
    if (layout::click(game_, form, control)) redraw();
}

void Shell::tick(const std::function<void(Game&)>& action, Window only) {
    action(game_);
    // A hidden window catches up when it is shown again: redraw() runs before every show.
    if (SecondaryWindow* w = window(only); w != nullptr && w->isVisible()) w->redraw(game_);
}

SecondaryWindow& Shell::create(Window w) {
    // Only the about window has a part of its own, its blink timer; the others are their tables.
    std::unique_ptr<SecondaryWindow> made = w == Window::Info
                                                ? std::make_unique<AboutWindow>(*this)
                                                : std::make_unique<SecondaryWindow>(*this, w);
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
    for (Window which : kSecondaryWindows) {
        if (!layout::created(game_, layout::formOf(which))) continue;
        SecondaryWindow& w = window(which) != nullptr ? *window(which) : create(which);
        w.redraw(game_);
        const bool visible = layout::visible(game_, layout::formOf(which));
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
