#include "shell/form_controls.hpp"

#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "shell/cell_label.hpp"
#include "shell/click_label.hpp"
#include "shell/look.hpp"
#include "shell/pictures.hpp"
#include "shell/shell.hpp"
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
    // A label's text starts at its top.
    return align == layout::Align::TopCentre ? Qt::AlignHCenter | Qt::AlignTop
                                             : Qt::AlignLeft | Qt::AlignTop;
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
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment(c.align));
    label->setWordWrap(c.wrap);
    if (c.kind == Kind::Boxed) {  // a cell paints its own ground inside its border
        if (c.background) setGround(*label, QPalette::Base, *c.background);
    } else if (c.background) {
        label->setAutoFillBackground(true);
        setGround(*label, QPalette::Window, *c.background);
    }
    if (c.kind == Kind::Verb) label->setCursor(hand);
    return label;
}

// A read-only box that marks the keyboard's focus as a label does, round the edge of what it
// shows.
class ReadBox : public QPlainTextEdit {
    static constexpr int kFocusEdgePx = 2;

  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPlainTextEdit::paintEvent(event);
        if (hasFocus()) drawFocusMark(*viewport(), *this, kFocusEdgePx);
    }
    void focusInEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusInEvent(event);
        viewport()->update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusOutEvent(event);
        viewport()->update();
    }
    void scrollContentsBy(int dx, int dy) override {
        QPlainTextEdit::scrollContentsBy(dx, dy);
        if (hasFocus()) viewport()->update();  // the mark stays put while the text scrolls
    }
};

QWidget* makeBox(const layout::Control& c, QWidget* parent) {
    auto* box = new ReadBox(parent);
    box->setReadOnly(true);  // the player may select and scroll, never type
    // A caret the arrow keys move, line by line, is how a screen reader reads the box again.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setFrameStyle(c.border ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
    if (c.background) setGround(*box, QPalette::Base, *c.background);
    return box;
}

// The box the player types into. Taking the focus, it puts its caret after the word and tells a
// screen reader so before Qt tells of the focus; Orca takes that caret for the focus and never
// names the box. Nothing it tells while it takes the focus is passed on: a screen reader asks
// for the caret when it learns of the focus.
class InputBox : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        const QAccessible::UpdateHandler told =
            QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
        QLineEdit::focusInEvent(event);
        QAccessible::installUpdateHandler(told);
    }
};

QWidget* makeLineBox(const layout::Control& c, QWidget* parent) {
    auto* box = new InputBox(parent);
    if (c.background) setGround(*box, QPalette::Base, *c.background);
    if (c.textColour) setGround(*box, QPalette::Text, *c.textColour);
    if (c.kind == Kind::Splash) {
        box->setReadOnly(true);
        box->setFrame(false);
        box->setFocusPolicy(Qt::NoFocus);
        box->setContextMenuPolicy(Qt::NoContextMenu);
    }
    // The input box runs no verb on Enter: it only edits its text.
    return box;
}

QWidget* makePanel(QWidget* parent) {
    auto* panel = new Panel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    return panel;
}

QWidget* makeButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAutoDefault(true);  // Enter presses it, as Space does
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
            return makePanel(parent);
        case Kind::Button:
            return makeButton(parent);
        case Kind::Picture:
            return makePicture(c, parent);
    }
    return nullptr;
}

void setAccessible(QWidget& w, Kind kind, const QString& text) {
    if (describes(kind))
        w.setAccessibleDescription(text);
    else
        w.setAccessibleName(text);
}

// The text a control shows, written as its kind writes it.
void write(QWidget& w, const layout::Control& c, const std::string& text) {
    switch (c.kind) {
        case Kind::Label:
        case Kind::Boxed:
        case Kind::Verb:
        case Kind::Click: {
            auto& label = static_cast<QLabel&>(w);
            label.setText(qt(text));
            if (!c.wrap) fitCaption(label, c.font);
            break;
        }
        case Kind::Text:
            static_cast<QPlainTextEdit&>(w).setPlainText(displayText(text));
            break;
        case Kind::Input:
        case Kind::Splash: {
            // The game writing its own word back is not the player typing one; and a box
            // that already holds the word keeps its cursor.
            auto& box = static_cast<QLineEdit&>(w);
            const QSignalBlocker quiet(box);
            if (box.text() != qt(text)) box.setText(qt(text));
            break;
        }
        case Kind::Button:
            static_cast<QPushButton&>(w).setText(qt(text));
            break;
        case Kind::Panel:
        case Kind::Picture:
            break;
    }
}

// What a screen reader hears of a control: a box's text, else the name it is given (a card's
// word once it is turned), else its caption.
const std::string& heard(const layout::Control& c, const layout::Shown& shown) {
    return c.kind == Kind::Text || shown.accessible.empty() ? shown.text : shown.accessible;
}

}  // namespace

FormControls::FormControls(QWidget& frame, Window window, Shell& shell)
    : window_(window), catalog_(shell.catalog()), announcer_(frame) {
    const layout::WindowLayout& table = layout::of(window);
    built_.reserve(table.controls.size());
    const QCursor hand = handPointer();  // one for all the verbs
    for (const layout::Control& c : table.controls) {
        const layout::Control texts = layout::translated(c, catalog_);
        const layout::Row panel = table.panels[built_.size()];
        QWidget* parent =
            panel == layout::kNoRow ? &frame : built_[static_cast<std::size_t>(panel)].widget;
        QWidget* w = make(c, parent, hand);
        // Every control gets its font before its text: a widget may lay its text out at once,
        // and a layout in the inherited font would be thrown away.
        w->setFont(font(c.font));
        w->setAttribute(Qt::WA_NoMousePropagation);  // a press on a control is no drag
        w->setObjectName(qt(c.name));
        w->setGeometry(pixels(c.rect));
        w->setToolTip(qt(texts.tooltip));
        w->lower();  // each control goes under the ones listed before it

        if (auto* line = qobject_cast<ClickLabel*>(w))
            QObject::connect(line, &ClickLabel::clicked, &frame,
                             [&shell, window, &c] { shell.click(window, c); });
        else if (auto* button = qobject_cast<QPushButton*>(w))
            QObject::connect(button, &QPushButton::clicked, &frame,
                             [&shell, window, &c] { shell.click(window, c); });
        // textChanged, not textEdited: a screen reader sets the box's text programmatically,
        // which emits only textChanged. The redraw's own writes are kept out by a blocker.
        if (auto* box = qobject_cast<QLineEdit*>(w); box != nullptr && c.kind == Kind::Input)
            QObject::connect(
                box, &QLineEdit::textChanged, &frame, [&shell, window, &c](const QString& text) {
                    const QByteArray word = text.toUtf8();
                    shell.type(window, c, {word.constData(), std::size_t(word.size())});
                });

        // What the table draws first: the redraws after it write only what differs.
        const layout::Shown first{.text = std::string(texts.caption),
                                  .visible = c.visible,
                                  .textColour = c.textColour,
                                  .accessible = std::string(texts.accessible)};
        write(*w, c, first.text);
        w->setVisible(first.visible);
        if (first.textColour && isLabel(c.kind)) setTextColour(*w, colourOf(*first.textColour));
        setAccessible(*w, c.kind, qt(first.accessible));
        built_.push_back({&c, w, first});
    }
    // A heading on screen is the name of what it heads, for a screen reader as for the eye.
    for (std::size_t row = 0; row < built_.size(); ++row)
        if (const layout::Row label = table.labelledBy[row]; label != layout::kNoRow)
            if (auto* heading =
                    qobject_cast<QLabel*>(built_[static_cast<std::size_t>(label)].widget))
                heading->setBuddy(built_[row].widget);
    QWidget* previous = nullptr;
    for (const layout::Row row : table.reading) {
        if (!layout::takesFocus(table.controls[static_cast<std::size_t>(row)].kind)) continue;
        QWidget* next = built_[static_cast<std::size_t>(row)].widget;
        if (previous != nullptr) QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void FormControls::redraw(const Game& game) {
    std::vector<QString> news(built_.size());  // what a screen reader must hear, by row
    for (Built& b : built_) {
        const layout::Control& c = *b.control;
        layout::Shown shown = layout::view(game, c, catalog_);
        if (!shown.textColour) shown.textColour = c.textColour;
        if (layout::announces(c) && heard(c, shown) != heard(c, b.drawn) &&
            !heard(c, shown).empty())
            news[static_cast<std::size_t>(&b - built_.data())] = displayText(heard(c, shown));
        if (shown.text != b.drawn.text) write(*b.widget, c, shown.text);
        if (shown.visible != b.drawn.visible) b.widget->setVisible(shown.visible);
        if (shown.textColour != b.drawn.textColour && shown.textColour && isLabel(c.kind))
            setTextColour(*b.widget, colourOf(*shown.textColour));
        if (shown.accessible != b.drawn.accessible)
            setAccessible(*b.widget, c.kind, qt(shown.accessible));
        b.drawn = std::move(shown);
    }
    // One announcement, in reading order, so that no part cuts another off.
    QStringList said;
    for (const layout::Row row : layout::of(window_).reading)
        if (!news[static_cast<std::size_t>(row)].isEmpty())
            said << news[static_cast<std::size_t>(row)];
    if (!said.isEmpty()) announcer_.say(said.join(QLatin1Char('\n')));
}

void FormControls::focusFirst(const Game& game) const {
    QStringList before;  // what the boxes read before it say
    for (const layout::Control* c : layout::tabOrder(game, window_)) {
        if (c->kind == Kind::Text) {
            before << displayText(layout::view(game, *c, catalog_).text);
            continue;
        }
        QWidget* first = widget(*c);
        first->setAccessibleDescription(before.join(QLatin1Char('\n')));
        first->setFocus(Qt::OtherFocusReason);
        return;
    }
}

QWidget* FormControls::widget(const layout::Control& control) const {
    for (const Built& b : built_)
        if (b.control == &control) return b.widget;
    return nullptr;
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
