#pragma once

#include <QFrame>
#include <QLabel>
#include <functional>
#include <string_view>

#include "game.hpp"

namespace tarvilon::ui {

class ClickLabel;
class Shell;

// Base of the small windows: a fixed-size frame at a fixed screen place, redrawn from the
// game after every event. The window system's close request (Alt+F4) goes to the game, which
// refuses it for every window but the ending; the windows' own controls close them.
class SecondaryWindow : public QFrame {
    Q_OBJECT
  public:
    SecondaryWindow(Shell& shell, Window which, QRect clientArea, Qt::WindowFlags flags);

    virtual void redraw(const Game& game) = 0;
    [[nodiscard]] Window which() const { return which_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    Shell& shell() { return shell_; }
    // A transparent label at its layout place; each new one goes under those made before.
    QLabel& addLabel(const char* name, QRect rect, std::string_view caption);
    // A label whose click runs one action on the game.
    ClickLabel& addLine(const char* name, QRect rect, std::string_view caption,
                        std::function<void(Game&)> action);

  private:
    Shell& shell_;
    Window which_;
};

// The frame of the captionless windows: no title bar, no close box.
inline constexpr Qt::WindowFlags kBareDialog =
    Qt::Dialog | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;

}  // namespace tarvilon::ui
