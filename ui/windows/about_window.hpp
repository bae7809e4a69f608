#pragma once

#include "shell/secondary_window.hpp"

class QTimer;

namespace tarvilon::ui {

// info: the title and version, the skull, the credits and a rights notice. Its title blinks
// dark blue and dark green on a timer that starts with the window and never stops.
class AboutWindow : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit AboutWindow(Shell& shell);

  private:
    QTimer* timer1_ = nullptr;
};

}  // namespace tarvilon::ui
