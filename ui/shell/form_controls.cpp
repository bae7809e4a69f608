#include "shell/form_controls.hpp"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "shell/cell_label.hpp"
#include "shell/click_label.hpp"
#include "shell/look.hpp"
#include "shell/pictures.hpp"
#include "shell/twips.hpp"
#include "shell/widget_text.hpp"

namespace tarvilon::ui {
namespace {

using layout::Kind;

bool isLabel(Kind kind) {
    return kind == Kind::Label || kind == Kind::Boxed || kind == Kind::Verb || kind == Kind::Click;
}

// A plain label or a cell tells a screen reader what it is in its description, so that its
// name stays its text; every other control is named.
bool describes(Kind kind) {
    return kind == Kind::Label || kind == Kind::Boxed;
}

Qt::Alignment alignment(layout::Align align) {
    switch (align) {
        case layout::Align::TopLeft:
            return Qt::AlignLeft | Qt::AlignTop;  // a label's text starts at its top
        case layout::Align::TopCentre:
            return Qt::AlignHCenter | Qt::AlignTop;
        case layout::Align::Centre:
            return Qt::AlignCenter;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void setGround(QWidget& w, QPalette::ColorRole role, layout::Colour colour) {
    QPalette p = w.palette();
    p.setColor(role, colourOf(colour));
    w.setPalette(p);
}

QLabel* makeLabel(const layout::Control& c, QWidget* parent, const QCursor& hand) {
    QLabel* label = c.kind == Kind::Boxed   ? new CellLabel(parent)
                    : c.kind == Kind::Label ? new QLabel(parent)
                                            : new ClickLabel(parent);
    // Every control gets its font before its text: a widget may lay its text out at once,
    // and a layout in the inherited font would be thrown away.
    label->setFont(font(c.font));
    label->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment(c.align));
    label->setWordWrap(c.wrap);
    label->setText(qt(c.caption));
    if (c.kind == Kind::Boxed) {  // a cell paints its own ground inside its border
        if (c.background) setGround(*label, QPalette::Base, *c.background);
    } else if (c.background) {
        label->setAutoFillBackground(true);
        setGround(*label, QPalette::Window, *c.background);
    } else {
        makeTransparent(*label);
    }
    if (c.text) setTextColour(*label, colourOf(*c.text));
    if (c.kind == Kind::Verb) label->setCursor(hand);
    return label;
}

QWidget* makeBox(const layout::Control& c, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setFont(font(c.font));
    box->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
    box->setReadOnly(true);                        // the player may select and scroll, never type
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setFrameStyle(c.border ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
    if (c.background) setGround(*box, QPalette::Base, *c.background);
    box->setPlainText(displayText(c.caption));
    return box;
}

QWidget* makeLineBox(const layout::Control& c, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setFont(font(c.font));
    if (c.background) setGround(*box, QPalette::Base, *c.background);
    if (c.text) setGround(*box, QPalette::Text, *c.text);
    if (c.kind == Kind::Splash) {
        box->setReadOnly(true);
        box->setFrame(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->setContextMenuPolicy(Qt::NoContextMenu);
    }
    // The input box runs no verb on Enter: it only edits its text.
    box->setText(qt(c.caption));
    return box;
}

QWidget* makePanel(const layout::Control& c, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFont(font(c.font));
    panel->setAttribute(Qt::WA_NoMousePropagation);  // a press here is no drag
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    return panel;
}

QWidget* makeButton(const layout::Control& c, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFont(font(c.font));
    button->setText(qt(c.caption));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QWidget* makePicture(const layout::Control& c, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(drawing(c.picture, pixels(c.rect).size(), parent->devicePixelRatioF()));
    return picture;
}

QWidget* make(const layout::Control& c, QWidget* parent, const QCursor& hand) {
    switch (c.kind) {
        case Kind::Label:
        case Kind::Boxed:
        case Kind::Verb:
        case Kind::Click:
            return makeLabel(c, parent, hand);
        case Kind::Text:
            return makeBox(c, parent);
        case Kind::Input:
        case Kind::Splash:
            return makeLineBox(c, parent);
        case Kind::Panel:
            return makePanel(c, parent);
        case Kind::Button:
            return makeButton(c, parent);
        case Kind::Picture:
            return makePicture(c, parent);
    }
    return nullptr;
}

void setAccessible(QWidget& w, Kind kind, const QString& text) {
    if (describes(kind)) {
        if (w.accessibleDescription() != text) w.setAccessibleDescription(text);
    } else if (w.accessibleName() != text) {
        w.setAccessibleName(text);
    }
}

}  // namespace

FormControls::FormControls(QWidget& window, layout::Form form, const OnClick& onClick)
    : form_(form) {
    const layout::WindowLayout& table = layout::of(form);
    const QCursor hand = handPointer();  // one for all the verbs
    built_.reserve(table.controls.size());
    for (const layout::Control& c : table.controls) {
        QWidget* parent = c.panel.empty() ? &window : &named(window, c.panel);
        QWidget* w = make(c, parent, hand);
        w->setObjectName(qt(c.name));
        w->setGeometry(pixels(c.rect));
        w->setToolTip(qt(c.tooltip));
        setAccessible(*w, c.kind, qt(c.accessible));
        w->setVisible(c.visible);
        w->lower();  // each control goes under the ones listed before it
        if (isLabel(c.kind) && !c.wrap) fitCaption(*static_cast<QLabel*>(w));

        const std::string name(c.name);
        if (auto* line = qobject_cast<ClickLabel*>(w))
            QObject::connect(line, &ClickLabel::clicked, &window,
                             [onClick, name] { onClick(name); });
        else if (auto* button = qobject_cast<QPushButton*>(w))
            QObject::connect(button, &QPushButton::clicked, &window,
                             [onClick, name] { onClick(name); });
        built_.push_back({&c, w, std::string(c.caption)});
    }
}

void FormControls::redraw(const Game& game) {
    for (Built& b : built_) {
        const layout::Control& c = *b.control;
        const layout::Shown shown = layout::view(game, form_, c);
        switch (c.kind) {
            case Kind::Label:
            case Kind::Boxed:
            case Kind::Verb:
            case Kind::Click:
                setCaption(*static_cast<QLabel*>(b.widget), shown.text);
                break;
            case Kind::Text:
                if (shown.text != b.shown) {
                    b.shown = shown.text;
                    static_cast<QPlainTextEdit*>(b.widget)->setPlainText(displayText(b.shown));
                }
                break;
            case Kind::Input:
            case Kind::Splash: {
                // The game writing its own word back is not the player typing one.
                const QSignalBlocker quiet(b.widget);
                setInputText(*static_cast<QLineEdit*>(b.widget), shown.text);
                break;
            }
            case Kind::Panel:
            case Kind::Button:
            case Kind::Picture:
                break;
        }
        if (b.widget->isHidden() == shown.visible) b.widget->setVisible(shown.visible);
        if (const auto colour = shown.textColour ? shown.textColour : c.text) {
            const QColor qcolour = colourOf(*colour);
            if (isLabel(c.kind) && b.widget->palette().color(QPalette::WindowText) != qcolour)
                setTextColour(*b.widget, qcolour);
        }
        setAccessible(*b.widget, c.kind, qt(shown.accessible));
    }
}

void placeWindow(QWidget& window, const layout::WindowLayout& table) {
    window.setObjectName(qt(table.name));
    window.setWindowTitle(qt(table.title));
    // With no title bar the caption stays empty; a screen reader still needs a name.
    window.setAccessibleName(qt(table.accessible));
    window.setGeometry(pixels(table.rect));
    window.setFixedSize(pixels(table.rect).size());
    QPalette p = window.palette();
    p.setColor(QPalette::Window, colourOf(table.background));
    window.setPalette(p);
    window.setAutoFillBackground(true);
}

}  // namespace tarvilon::ui
