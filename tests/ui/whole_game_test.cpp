// A whole game through the real windows, from the shared road: every word typed into the
// input box, every caption clicked where a player would click it, and after each step what
// the windows show compared with what the road expects.

#include <QSignalSpy>

#include "content/places.hpp"
#include "route.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

const char* cardLabel(std::string_view card) {
    return card == "left" ? "Label2" : card == "middle" ? "Label3" : "Label4";
}

class WholeGameTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installLook(); }
    void playsTheRoad();

  private:
    // The windows on screen now, the main window first.
    QList<QWidget*> shown() const;
    // The shown control that reads caption: what the player clicks to press it.
    QLabel* captioned(const QString& caption) const;
    QString seen(const route::Step& step, const QString& what) const;

    std::unique_ptr<Shell> shell_;
    QStringList endings_;
};

QList<QWidget*> WholeGameTest::shown() const {
    QList<QWidget*> up{&shell_->mainWindow()};
    for (Window w : {Window::Info, Window::Lesnik, Window::Musik, Window::Stol, Window::Form2})
        if (QWidget* s = shell_->window(w); s != nullptr && s->isVisible()) up << s;
    return up;
}

QLabel* WholeGameTest::captioned(const QString& caption) const {
    for (QWidget* window : shown())
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->isVisible() && label->text() == caption) return label;
    return nullptr;
}

QString WholeGameTest::seen(const route::Step& step, const QString& what) const {
    MainWindow& main = shell_->mainWindow();
    const std::pair<const char*, const char*> cells[] = {
        {"response", "Text2"}, {"level", "Label2"},  {"health", "Label15"}, {"weapon", "Label12"},
        {"goods", "Label13"},  {"pouch", "Label14"}, {"place", "Text1"}};
    for (auto [check, control] : cells)
        if (what == QLatin1String(check)) return textOf(main, control);
    if (what == "card") return textOf(*shell_->window(Window::Stol), cardLabel(step.target));
    if (what == "ended") return endings_.join('+');
    if (what == "answer") return shown().size() > 1 ? textOf(*shown().at(1), "Label1") : QString();
    QStringList up;  // "window": the windows that take input now
    for (QWidget* w : shown())
        if (w->isEnabled()) up << w->objectName();
    return up.join('+');
}

void WholeGameTest::playsTheRoad() {
    shell_ = startShell();
    MainWindow& main = shell_->mainWindow();
    connect(shell_.get(), &Shell::ended, this, [this](Ending how) {
        endings_ << (how == Ending::Finale ? "finale" : how == Ending::Death ? "death" : "exit");
    });
    for (const route::Step& step : route::load("road.txt")) {
        const QByteArray where = "road.txt:" + QByteArray::number(step.line);
        const QString target = qt(step.target);
        if (step.action == "examine") {
            auto* input = &named<QLineEdit>(main, "Text3");
            click(main, "Text3");
            typeInto(input, target);
            QVERIFY2(input->text() == target && main.isEnabled(), where);
            click(main, "Label6");
            QVERIFY2(input->text().isEmpty(), where);
        } else {
            QWidget* control =
                step.action == "turn"
                    ? &named<QWidget>(*shell_->window(Window::Stol), cardLabel(step.target))
                    : captioned(target);
            QVERIFY2(control != nullptr && control->window()->isEnabled(),
                     where + " " + step.target.c_str());
            click(*control->window(), qPrintable(control->objectName()));
        }
        for (const route::Check& check : step.checks) {
            if (check.what == "moment") continue;
            const QString what = qt(check.what);
            QString wanted = qt(check.value);
            if (what == "place") {
                wanted =
                    check.value == "none"
                        ? QString()
                        : displayText(content::kPlaceDescriptions.at(std::stoul(check.value) - 1));
            }
            const QString got = seen(step, what);
            QVERIFY2(got == wanted,
                     qPrintable(QStringLiteral("%1: %2 reads \"%3\", expected \"%4\"")
                                    .arg(QString::fromLatin1(where), what, got, wanted)));
        }
    }
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::WholeGameTest)
#include "whole_game_test.moc"
