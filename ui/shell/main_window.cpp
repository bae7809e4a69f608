#include "shell/main_window.hpp"

#include <qdrawutil.h>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>
#include <array>
#include <string_view>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "game.hpp"
#include "shell/cell_label.hpp"
#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/pictures.hpp"
#include "shell/shell.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

enum class Kind {
    Label,   // a plain label
    Boxed,   // a label in a single-line border on white: a state cell
    Verb,    // a clickable label with the hand pointer
    Click,   // a clickable label with the ordinary pointer ("ДАЛЕЕ...")
    Text,    // a multi-line read-only box with a vertical scroll bar
    Input,   // the one-line box the player types into
    Splash,  // the borderless title splash
    Panel,   // a sunken panel that holds labels
    Button,  // a push button
};

constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;

struct Control {
    const char* name;
    Kind kind;
    QRect rect;
    const char* caption;
    const char* tooltip;
    bool visible;
    const char* panel;  // parent panel, or null for the window itself
    FontRole font = FontRole::Default;
    Qt::Alignment align = kTopLeft;
    // What a screen reader says the control is: a text box's name, a cell's description.
    const char* accessible = "";
};

// clang-format off
// Form1's controls from the top of the stacking order down; panel labels sit relative to
// their panel. Timer1 is not a widget and is made in startSplashTimer().
const std::array kForm1 = {
    //      name        kind          x     y     width height   caption          tooltip               shown  panel
    Control{"Text5",    Kind::Splash, twips( 600, 1800, 4455,  615), "  ТАРВИЛОН",  "",                    true,  nullptr,    FontRole::Title},
    Control{"Command3", Kind::Button, twips(3600,  120, 1095,  255), "&Инфо",       "",                    true,  nullptr},
    Control{"Text4",    Kind::Text,   twips( 840,  360, 3855, 3495), "",            "",                    false, nullptr,    FontRole::Default, kTopLeft, "Предыстория"},
    Control{"Text3",    Kind::Input,  twips(2040, 4200, 1455,  285), "",            "",                    true,  nullptr,    FontRole::Default, kTopLeft, "Предмет"},
    Control{"Picture2", Kind::Panel,  twips(3840, 3480, 1575, 1575), "",            "Инвентарь",           true,  nullptr},
    Control{"Label14",  Kind::Boxed,  twips( 120, 1080, 1215,  255), "",            "",                    true,  "Picture2", FontRole::Default, kTopLeft, "Инвентарь: 3"},
    Control{"Label13",  Kind::Boxed,  twips( 120,  600, 1215,  255), "",            "",                    true,  "Picture2", FontRole::Default, kTopLeft, "Инвентарь: 2"},
    Control{"Label12",  Kind::Boxed,  twips( 120,  120, 1215,  255), "",            "",                    true,  "Picture2", FontRole::Default, kTopLeft, "Инвентарь: 1"},
    Control{"Picture1", Kind::Panel,  twips( 240, 3480, 1575, 1575), "",            "Действия",            true,  nullptr},
    Control{"Label11",  Kind::Verb,   twips( 240, 1080, 1095,  255), "Подобрать",   "",                    true,  "Picture1", FontRole::Large},
    Control{"Label10",  Kind::Verb,   twips( 360,  840,  855,  255), "Копать",      "",                    true,  "Picture1", FontRole::Large, kCentred},
    Control{"Label9",   Kind::Verb,   twips( 240,  600, 1095,  255), "Мастерить",   "",                    true,  "Picture1", FontRole::Large},
    Control{"Label8",   Kind::Verb,   twips( 360,  360,  735,  255), "Идти",        "",                    true,  "Picture1", FontRole::Large, kCentred},
    Control{"Label7",   Kind::Verb,   twips( 240,  120,  975,  255), "Разговор",    "",                    true,  "Picture1", FontRole::Large},
    Control{"Text2",    Kind::Text,   twips( 240, 2040, 5055,  975), "",            "",                    true,  nullptr,    FontRole::Default, kTopLeft, "Ответ"},
    Control{"Text1",    Kind::Text,   twips( 240,  720, 2895, 1215), "",            "",                    true,  nullptr,    FontRole::Default, kTopLeft, "Описание места"},
    Control{"Command2", Kind::Button, twips(5160,  120,  255,  255), "",            "Выход",               true,  nullptr,    FontRole::Small},
    Control{"Command1", Kind::Button, twips(4800,  120,  255,  255), "",            "Свернуть",            true,  nullptr,    FontRole::Small},
    Control{"Label16",  Kind::Click,  twips(3000, 3960,  735,  255), "ДАЛЕЕ...",    "",                    false, nullptr},
    Control{"Label15",  Kind::Boxed,  twips(3240, 1680,  375,  255), "25",          "Здоровье",            true,  nullptr,    FontRole::Default, kTopLeft, "Здоровье"},
    Control{"Label6",   Kind::Verb,   twips(2160, 4560, 1335,  255), "ОБСЛЕДОВАТЬ", "",                    true,  nullptr},
    Control{"Label5",   Kind::Verb,   twips(2160, 3480, 1335,  255), "ОСМОТРЕТЬСЯ", "",                    true,  nullptr},
    Control{"Label4",   Kind::Label,  twips(4320, 3120,  855,  255), "Инвентарь",   "",                    true,  nullptr},
    Control{"Label3",   Kind::Label,  twips( 360, 3120,  855,  255), "Действия",    "",                    true,  nullptr},
    Control{"Label2",   Kind::Label,  twips(1440,  360,  255,  255), "1",           "Текущий уровень игры", true, nullptr,    FontRole::Large, kCentred, "Текущий уровень игры"},
    Control{"Label1",   Kind::Label,  twips( 360,  360,  855,  255), "Уровень",     "",                    true,  nullptr,    FontRole::Large},
};
// clang-format on

constexpr QRect kClientArea = twips(2550, 1710, 5550, 5220);
constexpr int kSplashMilliseconds = 2000;

QWidget* make(const Control& c, QWidget* parent, const QCursor& hand) {
    const QString caption = QString::fromUtf8(c.caption);
    // Every control gets its font before its text: a line edit lays its text out at once, and
    // a layout in the inherited font would be thrown away.
    const auto born = [&c](auto* w) {
        w->setFont(ui::font(c.font));
        return w;
    };
    switch (c.kind) {
        case Kind::Label:
        case Kind::Boxed:
        case Kind::Verb:
        case Kind::Click: {
            const bool clickable = c.kind == Kind::Verb || c.kind == Kind::Click;
            QLabel* label = born(clickable               ? new ClickLabel(parent)
                                 : c.kind == Kind::Boxed ? new CellLabel(parent)
                                                         : new QLabel(parent));
            label->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
            label->setTextFormat(Qt::PlainText);
            label->setText(caption);
            label->setAlignment(c.align);
            if (c.kind != Kind::Boxed) makeTransparent(*label);
            if (c.kind == Kind::Verb) label->setCursor(hand);
            return label;
        }
        case Kind::Text: {
            auto* box = born(new QPlainTextEdit(parent));
            box->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
            box->setReadOnly(true);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            return box;
        }
        case Kind::Input: {
            auto* box = born(new QLineEdit(parent));
            // The Enter key runs no verb: the box only edits its text.
            return box;
        }
        case Kind::Splash: {
            auto* splash = born(new QLineEdit(parent));
            splash->setText(caption);
            splash->setReadOnly(true);
            splash->setFrame(false);
            splash->setFocusPolicy(Qt::NoFocus);
            splash->setContextMenuPolicy(Qt::NoContextMenu);
            QPalette p = splash->palette();
            p.setColor(QPalette::Base, Qt::black);  // the menu-text colour
            p.setColor(QPalette::Text, Qt::white);  // the caption-text colour
            splash->setPalette(p);
            return splash;
        }
        case Kind::Panel: {
            auto* panel = born(new QFrame(parent));
            panel->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panel->setLineWidth(2);
            return panel;
        }
        case Kind::Button: {
            auto* button = born(new QPushButton(parent));
            button->setText(caption);
            button->setFocusPolicy(Qt::TabFocus);
            // The two captionless buttons are named by what their tooltips say.
            if (caption.isEmpty()) button->setAccessibleName(QString::fromUtf8(c.tooltip));
            return button;
        }
    }
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(Shell& shell)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), shell_(shell) {
    setObjectName(QStringLiteral("Form1"));
    // The caption stays empty, as there is no title bar; a screen reader still needs a name.
    setAccessibleName(QStringLiteral("ТАРВИЛОН"));
    setWindowTitle(QString());
    setWindowIcon(skullIcon());
    setGeometry(kClientArea);
    setFixedSize(kClientArea.size());
    build();
    wire();
    // The load handler: the intro and "ДАЛЕЕ..." come up; the rest is the game's state.
    intro_->setPlainText(displayText(content::kIntroStory));
}

void MainWindow::build() {
    const QCursor hand = handPointer();  // one for all seven verbs
    for (const Control& c : kForm1) {
        QWidget* parent = c.panel ? findChild<QWidget*>(QString::fromUtf8(c.panel)) : this;
        QWidget* w = make(c, parent, hand);
        w->setObjectName(QString::fromUtf8(c.name));
        w->setGeometry(c.rect);
        w->setToolTip(QString::fromUtf8(c.tooltip));
        const QString accessible = QString::fromUtf8(c.accessible);
        if (c.kind == Kind::Text || c.kind == Kind::Input)
            w->setAccessibleName(accessible);
        else
            w->setAccessibleDescription(accessible);
        w->setVisible(c.visible);
        // Each control goes under the ones listed before it.
        w->lower();
    }
    level_ = &named<QLabel>(*this, "Label2");
    health_ = &named<QLabel>(*this, "Label15");
    slots_[0] = &named<QLabel>(*this, "Label12");
    slots_[1] = &named<QLabel>(*this, "Label13");
    slots_[2] = &named<QLabel>(*this, "Label14");
    digShoot_ = &named<QLabel>(*this, "Label10");
    description_ = &named<QPlainTextEdit>(*this, "Text1");
    response_ = &named<QPlainTextEdit>(*this, "Text2");
    input_ = &named<QLineEdit>(*this, "Text3");
    splash_ = &named<QWidget>(*this, "Text5");
    intro_ = &named<QPlainTextEdit>(*this, "Text4");
    continue_ = &named<QWidget>(*this, "Label16");
}

void MainWindow::wire() {
    struct VerbLabel {
        const char* name;
        Verb verb;
    };
    constexpr std::array kVerbs = {
        VerbLabel{"Label5", Verb::LookAround}, VerbLabel{"Label6", Verb::Examine},
        VerbLabel{"Label7", Verb::Talk},       VerbLabel{"Label8", Verb::Go},
        VerbLabel{"Label9", Verb::Craft},      VerbLabel{"Label10", Verb::DigShoot},
        VerbLabel{"Label11", Verb::PickUp},
    };
    for (const VerbLabel& v : kVerbs) {
        const Verb verb = v.verb;
        connect(&named<ClickLabel>(*this, v.name), &ClickLabel::clicked, this,
                [this, verb] { shell_.act([verb](Game& g) { g.press(verb); }); });
    }
    connect(&named<ClickLabel>(*this, "Label16"), &ClickLabel::clicked, this,
            [this] { shell_.act([](Game& g) { g.dismissIntro(); }); });
    // textChanged, not textEdited: a screen reader sets the box's text programmatically,
    // which emits only textChanged. The redraw's own writes are kept out in redraw().
    connect(&named<QLineEdit>(*this, "Text3"), &QLineEdit::textChanged, this,
            [this](const QString& text) {
                const QByteArray word = text.toUtf8();
                shell_.act([&word](Game& g) {
                    g.type({word.constData(), static_cast<std::size_t>(word.size())});
                });
            });
    connect(&named<QPushButton>(*this, "Command1"), &QPushButton::clicked, this,
            [this] { setWindowState(windowState() | Qt::WindowMinimized); });
    connect(&named<QPushButton>(*this, "Command2"), &QPushButton::clicked, this,
            [this] { shell_.act([](Game& g) { g.exit(); }); });
    connect(&named<QPushButton>(*this, "Command3"), &QPushButton::clicked, this,
            [this] { shell_.act([](Game& g) { g.openAbout(); }); });
}

void MainWindow::startSplashTimer() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);             // the first tick stops it for good
    timer1_->setTimerType(Qt::PreciseTimer);  // a coarse timer may end the splash early
    timer1_->setInterval(kSplashMilliseconds);
    connect(timer1_, &QTimer::timeout, this,
            [this] { shell_.act([](Game& g) { g.splashTimerTick(); }); });
    timer1_->start();
}

void MainWindow::redraw(const Game& game) {
    const World& w = game.world();
    setCaption(*level_, w.levelText());
    setCaption(*health_, w.healthText());
    setCaption(*slots_[0], w.slot(Slot::Weapon));
    setCaption(*slots_[1], w.slot(Slot::Goods));
    setCaption(*slots_[2], w.slot(Slot::Pouch));
    setCaption(*digShoot_, w.shootCaption);
    if (w.description != shownDescription_) {
        shownDescription_ = w.description;
        description_->setPlainText(displayText(w.description));
    }
    if (w.focus != shownResponse_) {
        shownResponse_ = w.focus;
        response_->setPlainText(displayText(w.focus));
    }
    {
        // The game writing its own word back is not the player typing one.
        const QSignalBlocker quiet(input_);
        setInputText(*input_, w.objectWord);
    }
    splash_->setVisible(game.splashVisible());
    intro_->setVisible(game.introVisible());
    continue_->setVisible(game.introVisible());
    setEnabled(game.windows().mainEnabled());
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
    move(x() + qRound(dx / kTwipsPerPixel), y());
    move(x(), y() + qRound(dy / kTwipsPerPixel));
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
