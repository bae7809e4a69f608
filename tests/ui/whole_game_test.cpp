// Whole games through the real windows, from both shared routes: the control a step uses found
// as the engine's test finds it, through the layout, then every word typed into its box and
// every click made at the control's place where a player would make it, and after each step
// what the windows show compared with what the route expects. In the language the environment
// chooses, as the program does: ctest runs it in Russian and again under LANGUAGE=en, where
// every word typed, caption clicked and text checked is the route's read through the catalog.
// Then by keys alone: each step Tabs (the road) or Shift+Tabs (the detours) from wherever the
// focus is to its controls, in reading order, and presses Space or Enter or types there; what
// the route says cannot be used must not be reached.

#include <QSignalSpy>
#include <algorithm>

#include "content/places.hpp"
#include "route.hpp"
#include "shell/language.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

// Whatever kind of box or label the widget is, its text.
QString textOf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* b = qobject_cast<const QPlainTextEdit*>(w)) return b->toPlainText();
    return QStringLiteral("<no text>");
}

class WholeGameTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        installLook();
        // A run meant to be English that quietly fell back to Russian would pass as one.
        if (qEnvironmentVariable("LANGUAGE") == QLatin1String("en"))
            QVERIFY(!systemCatalog().empty());
    }
    void playsTheRoad() { play("road.txt"); }
    void playsTheDetours() { play("detours.txt"); }
    void playsTheRoadByTab() { play("road.txt", Qt::NoModifier); }
    void playsTheDetoursByShiftTab() { play("detours.txt", Qt::ShiftModifier); }

  private:
    // With a Tab modifier, by keys (Shift goes backwards); without one, by pointer.
    void play(const char* file, std::optional<Qt::KeyboardModifier> tab = std::nullopt);
    // Tabs round the active window until the control has the focus: the presses it took, or -1.
    [[nodiscard]] int tabTo(const route::Target& t, Qt::KeyboardModifier tab) const;
    [[nodiscard]] QWidget* widget(const route::Target& t) const {
        return shell_->widget(t.window, *t.control);
    }
    // A click at the middle of the control's place in its window, on whatever is there: a
    // hidden control gets nothing, and a disabled window ignores it.
    void clickOn(const route::Target& t) const;
    [[nodiscard]] QString seen(const route::Step& step, std::string_view what) const;
    // A Russian text of the route as the player reads it.
    [[nodiscard]] QString tr(std::string_view russian, std::string_view context = {}) const {
        return qt(shell_->catalog().translate(russian, context));
    }

    std::unique_ptr<Shell> shell_;
    QStringList endings_;
};

void WholeGameTest::clickOn(const route::Target& t) const {
    QWidget* window = shell_->window(t.window);
    const QWidget* w = widget(t);
    if (window == nullptr || w == nullptr) return;  // a window not yet made shows nothing
    clickAt(*window, w->mapTo(window, w->rect().center()));
}

int WholeGameTest::tabTo(const route::Target& t, Qt::KeyboardModifier tab) const {
    std::vector<QWidget*> ring;  // the window's reading order, as Tab must follow it
    for (const layout::WindowLayout& w : layout::windows())
        if (shell_->window(w.window) == QApplication::activeWindow())
            for (const layout::Control* c : layout::tabOrder(shell_->game(), w.window))
                ring.push_back(widget({w.window, c}));
    auto at = std::find(ring.begin(), ring.end(), QApplication::focusWidget());
    for (std::size_t presses = 0; at != ring.end() && presses < ring.size(); ++presses) {
        if (*at == widget(t)) return static_cast<int>(presses);
        QTest::keyClick(*at, Qt::Key_Tab, tab);
        if (tab == Qt::ShiftModifier)
            at = (at == ring.begin() ? ring.end() : at) - 1;
        else
            at = at + 1 == ring.end() ? ring.begin() : at + 1;
        if (QApplication::focusWidget() != *at) break;  // out of the reading order
    }
    return -1;
}

QString WholeGameTest::seen(const route::Step& step, std::string_view what) const {
    const Game& game = shell_->game();
    if (const auto cell = route::cellOf(game, what)) return textOf(widget(*cell));
    if (what == "answer") return QStringLiteral("<no dialogue>");
    if (what == "ended") return endings_.join('+');
    if (what == "card") {
        const auto card = route::cardNamed(step.target).value();
        return textOf(widget(
            {Window::Stol,
             layout::showing(Window::Stol, {layout::Shows::What::Card, static_cast<int>(card)})}));
    }
    QStringList up;  // "window": the windows that take input now
    for (const layout::WindowLayout& w : layout::windows())
        if (QWidget* window = shell_->window(w.window);
            window != nullptr && window->isVisible() && window->isEnabled())
            up << qt(w.name);
    return up.join('+');
}

void WholeGameTest::play(const char* file, std::optional<Qt::KeyboardModifier> tab) {
    shell_ = startShell({}, systemCatalog());
    endings_.clear();
    std::vector<int> presses;  // of Tab, per step
    int keys = 0;              // Space and Enter in turn
    connect(shell_.get(), &Shell::ended, this,
            [this](Ending how) { endings_ << qt(route::endingName(how)); });
    for (const route::Step& step : route::load(file)) {
        const QByteArray where = file + QByteArray(":") + QByteArray::number(step.line) + " " +
                                 step.action.c_str() + " " + step.target.c_str();
        const Game before = shell_->game();
        route::Move move;
        try {
            move = route::resolve(before, step);
        } catch (const std::runtime_error& e) {
            QFAIL(e.what());
        }
        // What the layout says the player can use, the windows must offer.
        if (move.usable) {
            for (const auto& t : {move.box, move.click}) {
                if (!t) continue;
                QVERIFY2(widget(*t)->isVisible() && shell_->window(t->window)->isEnabled(),
                         where + ": not on screen to use");
            }
        }
        if (tab && move.usable) presses.push_back(0);
        const auto reach = [&](const route::Target& t) {
            QCoreApplication::processEvents();  // a window shown or hidden takes the focus now
            const int n = tabTo(t, *tab);
            QVERIFY2((n >= 0) == move.usable,
                     where + (n < 0 ? ": Tab does not reach it" : ": reached"));
            if (n > 0) presses.back() += n;
        };
        if (move.box) {
            auto* input = qobject_cast<QLineEdit*>(widget(*move.box));
            QVERIFY2(input != nullptr, where);
            tab ? reach(*move.box) : clickOn(*move.box);
            const QString word = tr(move.word, layout::kObjectWord);
            if (!tab || move.usable) typeInto(tab ? QApplication::focusWidget() : input, word);
            if (tab && move.usable)  // Enter in the box runs no verb: the word stays
                QTest::keyClick(input, Qt::Key_Return);
            QVERIFY2(!move.usable || input->text() == word, where);
        }
        // The player clicks what he reads: the caption, in his language.
        if (move.usable && step.action == "press")
            QVERIFY2(textOf(widget(*move.click)) == tr(step.target), where + ": reads otherwise");
        if (move.click && !tab) clickOn(*move.click);
        if (move.click && tab) reach(*move.click);
        if (move.click && tab && move.usable)
            QTest::keyClick(QApplication::focusWidget(),
                            ++keys % 2 ? Qt::Key_Space : Qt::Key_Return);
        if (QTest::currentTestFailed()) return;
        if (move.box && move.usable)
            QVERIFY2(qobject_cast<QLineEdit*>(widget(*move.box))->text().isEmpty(), where);
        if (route::changesNothing(step))
            QVERIFY2(shell_->game() == before, where + ": the step changed the run");
        for (const route::Check& check : step.checks) {
            if (check.what == "moment" || check.what == "unchanged") continue;
            QString wanted = tr(check.value);
            if (check.what == "place") {
                wanted = check.value == "none"
                             ? QString()
                             : displayText(shell_->catalog().translate(
                                   content::kPlaceDescriptions.at(std::stoul(check.value) - 1)));
            }
            const QString got = seen(step, check.what);
            QVERIFY2(got == wanted,
                     qPrintable(QStringLiteral("%1: %2 reads \"%3\", expected \"%4\"")
                                    .arg(QString::fromUtf8(where), qt(check.what), got, wanted)));
        }
    }
    if (!tab) return;
    std::sort(presses.begin(), presses.end());
    qInfo("%s by %s: presses to reach a step's controls: median %d, most %d", file,
          *tab == Qt::ShiftModifier ? "Shift+Tab" : "Tab", presses[presses.size() / 2],
          presses.back());
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::WholeGameTest)
#include "whole_game_test.moc"
