#include "windows/about_window.hpp"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "content/about.hpp"
#include "shell/layout.hpp"
#include "shell/pictures.hpp"
#include "shell/shell.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

constexpr QRect kClientArea = twips(1905, 2670, 5070, 2130);
constexpr int kBlinkMilliseconds = 10;
constexpr QSize kSkullSize{33, 31};

// A title bar to move it by, and nothing else: no system menu, no boxes.
constexpr Qt::WindowFlags kTitledDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QLabel* label(QWidget* parent, const char* name, QRect rect, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

AboutWindow::AboutWindow(Shell& shell)
    : SecondaryWindow(shell, Window::Info, kClientArea, kTitledDialog) {
    setObjectName(QStringLiteral("info"));
    setWindowTitle(QStringLiteral("Инфо"));

    // Built bottom of the stacking order first.
    title_ = label(this, "Label1", twips(1440, 240, 1815, 255), QStringLiteral("ТАРВИЛОН     1.0"));
    label(this, "Label2", twips(120, 960, 4815, 255), qt(content::kAboutCredits));
    label(this, "Label3", twips(120, 1320, 1455, 255), qt(content::kAboutRights));

    auto* cancel = new QPushButton(QStringLiteral("&Отмена"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(twips(3480, 1680, 1455, 255));
    connect(cancel, &QPushButton::clicked, this,
            [this] { this->shell().act([](Game& g) { g.closeAbout(); }); });

    auto* skull = new QLabel(this);
    skull->setObjectName(QStringLiteral("Picture1"));
    skull->setGeometry(twips(360, 120, 495, 495));
    skull->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    skull->setPixmap(
        picture(QStringLiteral(":/pictures/skull.svg"), kSkullSize, devicePixelRatioF()));

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kBlinkMilliseconds);
    connect(timer1_, &QTimer::timeout, this,
            [this] { this->shell().tick([](Game& g) { g.blinkAboutTitle(); }, Window::Info); });
    timer1_->start();
}

void AboutWindow::redraw(const Game& game) {
    switch (game.aboutTitle().colour) {
        case AboutTitle::Colour::Default:
            setTextColour(*title_, Qt::black);
            break;
        case AboutTitle::Colour::DarkBlue:
            setTextColour(*title_, kDarkBlue);
            break;
        case AboutTitle::Colour::DarkGreen:
            setTextColour(*title_, kDarkGreen);
            break;
    }
}

}  // namespace tarvilon::ui
