#pragma once

#include "shell/secondary_window.hpp"

namespace tarvilon::ui {

// Form2: the closing narrative and "Конец...", the last click of the run.
class EndingWindow : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit EndingWindow(Shell& shell);
    void redraw(const Game&) override {}
};

}  // namespace tarvilon::ui
