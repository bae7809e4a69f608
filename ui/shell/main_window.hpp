#pragma once

#include <QPointF>
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tarvilon {
class Game;
}

namespace tarvilon::ui {

class ClickLabel;
class Shell;

// Form1, the game's window: the level, health, inventory, the three boxes, seven verbs and
// three buttons, built from the layout table in main_window.cpp.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(Shell& shell);

    void redraw(const Game& game);
    // Starts Timer1, which ends the title splash.
    void startSplashTimer();

    [[nodiscard]] QTimer& splashTimer() { return *timer1_; }
    // The drag anchor, in twips, as the last press on the background left it.
    [[nodiscard]] QPointF dragAnchor() const { return {msePosX_, msePosY_}; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void build();
    void wire();

    Shell& shell_;
    QTimer* timer1_ = nullptr;
    // The controls a redraw writes, looked up once.
    QLabel* level_ = nullptr;                // Label2
    QLabel* health_ = nullptr;               // Label15
    QLabel* slots_[3] = {};                  // Label12 to Label14
    QLabel* digShoot_ = nullptr;             // Label10
    QPlainTextEdit* description_ = nullptr;  // Text1
    QPlainTextEdit* response_ = nullptr;     // Text2
    QLineEdit* input_ = nullptr;             // Text3
    QWidget* splash_ = nullptr;              // Text5
    QPlainTextEdit* intro_ = nullptr;        // Text4
    QWidget* continue_ = nullptr;            // Label16
    // What the read-only boxes were last given; only the game writes them.
    std::string shownDescription_;
    std::string shownResponse_;
    // The drag anchor: pointer position in twips at the last mouse-down on the background.
    float msePosX_ = 0;
    float msePosY_ = 0;
};

}  // namespace tarvilon::ui
