// The main window as a player meets it: layout, start-up, the verbs, dragging, the about box
// and the window system's close requests.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "content/places.hpp"
#include "content/texts.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installLook(); }

    void layoutPutsEveryControlInPlace();
    void captionsAreNotClipped();
    void handWrappedLinesFitTheirBoxes();
    void textBoxesBreakLinesAsBothEditionsMust();
    void freshRunShowsTheStartingState();
    void splashGoesAfterTheTimerAndNeverComesBack();
    void introStaysUntilContinueIsClicked();
    void coveredVerbsWaitForTheIntro();
    void lookAroundFillsTheDescription();
    void dragMovesOnlyWithTheLeftButtonAlone();
    void pressOnAControlDoesNotDrag();
    void aboutIsOneWindowKeptAsItWasLeft();
    void disabledMainWindowIgnoresClicks();
    void closeRequestsOnlyCloseWhatMayClose();
    void exitEndsTheRun();
};

// Every window and every widget stands where its row puts it, in whole pixels.
void MainWindowTest::layoutPutsEveryControlInPlace() {
    const auto pixels = [](const layout::Rect& r) {
        constexpr int k = layout::kTwipsPerPixel;
        return QRect(r.x / k, r.y / k, r.width / k, r.height / k);
    };
    Game game;  // every window made, as the game makes it on first use
    for (Window w : kSecondaryWindows) game.show(w);
    auto shell = startShell(game);
    for (const layout::WindowLayout& w : layout::windows()) {
        const QWidget* window = shell->window(w.window);
        QVERIFY2(window != nullptr, w.name.data());
        QCOMPARE(window->geometry(), pixels(w.rect));
        for (const layout::Control& c : w.controls) {
            const QWidget* widget = shell->widget(w.window, c);
            const QByteArray where = QByteArray(w.name.data()) + "." + c.name.data();
            QVERIFY2(widget != nullptr, where);
            QVERIFY2(widget->geometry() == pixels(c.rect), where);
        }
    }
}

void MainWindowTest::captionsAreNotClipped() {
    // Every caption the main window can show, drawn in full where it is drawn: each label is
    // fitted whenever its text changes. Health has no floor, so every value a player reaches in
    // a few hundred clicks is tried; the slots hold the longest item names.
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    const auto clipped = [&main](const char* name) -> QString {
        const auto& label = named<QLabel>(main, name);
        const double needed = QFontMetricsF(label.font()).horizontalAdvance(label.text());
        if (needed <= label.contentsRect().width()) return {};
        return QStringLiteral("%1: \"%2\" needs %3 px, has %4")
            .arg(QString::fromLatin1(name), label.text())
            .arg(needed)
            .arg(label.contentsRect().width());
    };
    const auto check = [&clipped](const char* name) {
        const QString fault = clipped(name);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    };
    shell->act([](Game& g) {
        g.world().level = World::kLastLevel;
        g.world().shootCaption = text::kShootCaption;
        g.world().setSlot(Slot::Weapon, text::kPistol);
        g.world().setSlot(Slot::Goods, text::kCoins);
        g.world().setSlot(Slot::Pouch, text::kArrow);
    });
    for (const char* name :
         {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9",
          "Label10", "Label11", "Label12", "Label13", "Label14", "Label16"})
        check(name);
    constexpr std::int64_t kLowest = -1000;
    constexpr std::int64_t kHighest = 100;
    for (std::int64_t health = kLowest; health <= kHighest; ++health) {
        shell->act([health](Game& g) { g.world().health = health; });
        const QString fault = clipped("Label15");
        if (!fault.isEmpty()) QFAIL(qPrintable(fault));
    }
}

void MainWindowTest::handWrappedLinesFitTheirBoxes() {
    // A line broken by hand that the box breaks again reads as a ragged pair of lines.
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    auto fits = [](QPlainTextEdit& box, std::string_view text) {
        const int room = box.viewport()->width() - 2 * qCeil(box.document()->documentMargin());
        const QFontMetrics metrics(box.font());
        const QStringList lines = qt(text).split(QStringLiteral("\r\n"));
        for (const QString& line : lines) {
            // Longer lines are meant for the box to wrap itself.
            constexpr int kLongLine = 46;
            const bool handWrapped = lines.size() > 2 && line.size() < kLongLine;
            if (handWrapped && metrics.horizontalAdvance(line) > room) {
                qWarning("%d px > %d px: %s", metrics.horizontalAdvance(line), room,
                         qPrintable(line));
                return false;
            }
        }
        return true;
    };
    auto& description = named<QPlainTextEdit>(main, "Text1");
    for (std::string_view place : content::kPlaceDescriptions) QVERIFY(fits(description, place));
    QVERIFY(fits(named<QPlainTextEdit>(main, "Text4"), content::kIntroStory));
}

// Where a text box breaks each of the game's texts into lines: the browser test holds the page
// to the same file, so that the two editions cannot drift apart by a word. With
// TARVILON_WRITE_LINES set, the file is written anew from what the desktop draws.
void MainWindowTest::textBoxesBreakLinesAsBothEditionsMust() {
    Game start;
    start.show(Window::Form2);  // the ending's box, made as the end makes it
    auto shell = startShell(start);
    const auto lines = [](const QPlainTextEdit& box) {
        QStringList out;
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
            box.document()->documentLayout()->blockBoundingRect(block);  // lays the block out
            const QTextLayout* layout = block.layout();
            QStringList parts;
            for (int i = 0; i < layout->lineCount(); ++i)
                parts << block.text().mid(layout->lineAt(i).textStart(),
                                          layout->lineAt(i).textLength());
            out << (block.text().isEmpty() ? QStringLiteral("~") : parts.join('|'));
        }
        return out;
    };
    QString drawn;
    const auto draw = [&](const char* box, const QString& what, QWidget& window) {
        drawn += QStringLiteral("== %1.%2 %3\n").arg(window.objectName(), QLatin1String(box), what);
        drawn += lines(named<QPlainTextEdit>(window, box)).join('\n') + '\n';
    };
    MainWindow& main = shell->mainWindow();
    for (std::size_t i = 0; i < content::kPlaceDescriptions.size(); ++i) {
        shell->act([i](Game& g) { g.world().description = content::kPlaceDescriptions[i]; });
        draw("Text1", QStringLiteral("place %1").arg(i + 1), main);
    }
    draw("Text4", QStringLiteral("intro"), main);
    draw("Text1", QStringLiteral("ending"), *shell->window(Window::Form2));

    QFile file(QStringLiteral(TARVILON_LINES_FILE));
    if (qEnvironmentVariableIsSet("TARVILON_WRITE_LINES")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArrayLiteral(
            "# Where the text boxes break each of the game's texts into lines, as the desktop\n"
            "# draws them and the page must too: one hand-broken line a line, \"|\" where the\n"
            "# box wraps it, \"~\" for an empty line. Written by main_window_test with\n"
            "# TARVILON_WRITE_LINES set; read by it and by the browser test.\n"));
        file.write(drawn.toUtf8());
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(file.readAll());
    expected.remove(
        QRegularExpression(QStringLiteral("^#[^\n]*\n"), QRegularExpression::MultilineOption));
    QCOMPARE(drawn, expected);
}

void MainWindowTest::freshRunShowsTheStartingState() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    QCOMPARE(textOf(main, "Label2"), QStringLiteral("1"));
    QCOMPARE(textOf(main, "Label15"), QStringLiteral("25"));
    for (const char* empty : {"Label12", "Label13", "Label14", "Text1", "Text2", "Text3"})
        QVERIFY2(textOf(main, empty).isEmpty(), empty);
    QCOMPARE(textOf(main, "Label10"), QStringLiteral("Копать"));
    QCOMPARE(textOf(main, "Text5"), QStringLiteral("  ТАРВИЛОН"));
    QVERIFY(named(main, "Text5").isVisible());
    QVERIFY(named(main, "Text4").isVisible());
    QVERIFY(named(main, "Label16").isVisible());
    QVERIFY(textOf(main, "Text4").startsWith(QStringLiteral("Много лет назад, на острове")));
    QCOMPARE(named<QPushButton>(main, "Command1").toolTip(), QStringLiteral("Свернуть"));
    QCOMPARE(named<QPushButton>(main, "Command2").toolTip(), QStringLiteral("Выход"));
    QCOMPARE(named(main, "Label15").toolTip(), QStringLiteral("Здоровье"));
    QCOMPARE(named(main, "Label2").toolTip(), QStringLiteral("Текущий уровень игры"));
    QCOMPARE(named(main, "Picture1").toolTip(), QStringLiteral("Действия"));
    QCOMPARE(named(main, "Picture2").toolTip(), QStringLiteral("Инвентарь"));
    QVERIFY(main.isEnabled());
    QVERIFY(!main.windowIcon().isNull());
}

void MainWindowTest::splashGoesAfterTheTimerAndNeverComesBack() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    QTimer& timer1 = shell->splashTimer();
    QCOMPARE(timer1.interval(), 2000);
    QVERIFY(timer1.isActive());
    click(main, "Label16");  // the intro may end first; the splash does not care
    QVERIFY(named(main, "Text5").isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!named(main, "Text5").isVisible(), 5000);
    QVERIFY(!timer1.isActive());
    QVERIFY(!shell->game().splashTimerRunning());
}

void MainWindowTest::introStaysUntilContinueIsClicked() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    shell->act([](Game& g) { g.splashTimerTick(); });
    QVERIFY(named(main, "Text4").isVisible());
    click(main, "Label16");
    QVERIFY(!named(main, "Text4").isVisible());
    QVERIFY(!named(main, "Label16").isVisible());
    QVERIFY(textOf(main, "Text1").isEmpty());
}

void MainWindowTest::coveredVerbsWaitForTheIntro() {
    // "ОСМОТРЕТЬСЯ" lies under the intro; "ОБСЛЕДОВАТЬ" does not and works at once.
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    click(main, "Label5");
    QVERIFY(textOf(main, "Text1").isEmpty());
    named<QLineEdit>(main, "Text3").setText(QStringLiteral("тропинка"));
    emit named<QLineEdit>(main, "Text3").textEdited(QStringLiteral("тропинка"));
    click(main, "Label6");
    QCOMPARE(textOf(main, "Text2"), qt(text::kPathToJungle));
    QVERIFY(textOf(main, "Text3").isEmpty());
}

void MainWindowTest::lookAroundFillsTheDescription() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    click(main, "Label16");
    click(main, "Label5");
    QVERIFY(textOf(main, "Text1").startsWith(QStringLiteral("Вы видите обломки вертолёта")));
    QVERIFY(!textOf(main, "Text1").contains(QLatin1Char('\r')));
}

void MainWindowTest::dragMovesOnlyWithTheLeftButtonAlone() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    const QPoint start = main.pos();
    const QPoint background(200, 10);  // between the level line and "&Инфо"
    QVERIFY(main.childAt(background) == nullptr);

    sendMouse(&main, QEvent::MouseButtonPress, background, Qt::RightButton, Qt::RightButton);
    QCOMPARE(main.dragAnchor(), QPointF(200 * 15, 10 * 15));  // any button sets the anchor
    sendMouse(&main, QEvent::MouseMove, background + QPoint(30, 20), Qt::NoButton, Qt::RightButton);
    QCOMPARE(main.pos(), start);
    sendMouse(&main, QEvent::MouseMove, background + QPoint(30, 20), Qt::NoButton,
              Qt::LeftButton | Qt::RightButton);
    QCOMPARE(main.pos(), start);
    sendMouse(&main, QEvent::MouseButtonRelease, background, Qt::RightButton, Qt::NoButton);

    sendMouse(&main, QEvent::MouseButtonPress, background, Qt::LeftButton, Qt::LeftButton);
    sendMouse(&main, QEvent::MouseMove, background + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(main.pos(), start + QPoint(30, 20));
    // The window followed the pointer, so the pointer is over the anchor again.
    sendMouse(&main, QEvent::MouseMove, background + QPoint(-5, 0), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(main.pos(), start + QPoint(25, 20));
}

void MainWindowTest::pressOnAControlDoesNotDrag() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    const QPoint start = main.pos();
    for (const char* name : {"Label1", "Label15", "Picture1", "Label7", "Text2", "Text3"}) {
        // The press goes to whatever lies on top at the control's centre, as a real one would.
        const QWidget& control = named(main, name);
        QWidget* w = main.childAt(control.mapTo(&main, control.rect().center()));
        QVERIFY2(w != nullptr, name);
        const QPoint at = w->mapFrom(&main, control.mapTo(&main, control.rect().center()));
        sendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(w, QEvent::MouseMove, at + QPoint(40, 40), Qt::NoButton, Qt::LeftButton);
        sendMouse(w, QEvent::MouseButtonRelease, at + QPoint(40, 40), Qt::LeftButton, Qt::NoButton);
        QVERIFY2(main.pos() == start, name);
    }
}

void MainWindowTest::aboutIsOneWindowKeptAsItWasLeft() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    click(main, "Command3");
    QWidget* about = shell->window(Window::Info);
    QVERIFY(about != nullptr);
    QVERIFY(about->isVisible());
    QVERIFY(!main.isEnabled());
    QCOMPARE(about->windowTitle(), QStringLiteral("Инфо"));
    QCOMPARE(textOf(*about, "Label1"), QStringLiteral("ТАРВИЛОН     1.0"));

    // The title blinks dark blue and dark green, starting with blue.
    auto colour = [&] {
        return named<QLabel>(*about, "Label1").palette().color(QPalette::WindowText);
    };
    QTRY_VERIFY(colour() == colourOf(layout::kDarkBlue) ||
                colour() == colourOf(layout::kDarkGreen));

    click(*about, "Command1");
    QVERIFY(!about->isVisible());
    QVERIFY(main.isEnabled());
    click(main, "Command3");
    QCOMPARE(shell->window(Window::Info), about);  // the same window, not a new one
    QVERIFY(about->isVisible());
    QVERIFY(!main.isEnabled());
}

void MainWindowTest::disabledMainWindowIgnoresClicks() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    click(main, "Label16");
    click(main, "Command3");
    const Game before = shell->game();
    for (const char* name : {"Label5", "Label6", "Label7", "Label8", "Label9", "Label10", "Label11",
                             "Command1", "Command2", "Command3"})
        click(main, name);
    const QPoint start = main.pos();
    sendMouse(&main, QEvent::MouseButtonPress, {200, 10}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(&main, QEvent::MouseMove, {230, 30}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(main.pos(), start);
    QVERIFY(shell->game() == before);
    QVERIFY(!shell->game().ended());
}

void MainWindowTest::closeRequestsOnlyCloseWhatMayClose() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    QSignalSpy ended(shell.get(), &Shell::ended);
    click(main, "Command3");
    QWidget* about = shell->window(Window::Info);
    QVERIFY(!about->close());  // refused: only "&Отмена" closes it
    QVERIFY(about->isVisible());
    QVERIFY(!main.isEnabled());
    QCOMPARE(ended.count(), 0);
    QTest::keyClick(about, Qt::Key_Escape);  // asks as the window system does
    QVERIFY(about->isVisible());

    // The ending window takes a close request, and Escape, as "Конец...".
    Game atTheEnd;
    atTheEnd.world().focus = text::kOnToLife;
    atTheEnd.press(Verb::Go);
    auto finale = startShell(atTheEnd);
    QSignalSpy finaleEnded(finale.get(), &Shell::ended);
    finale->window(Window::Form2)->close();
    QCOMPARE(finaleEnded.count(), 1);
    QCOMPARE(finaleEnded.at(0).at(0).value<Ending>(), Ending::Finale);
    QVERIFY(!finale->window(Window::Form2)->isVisible());
    auto escaped = startShell(atTheEnd);
    QSignalSpy escapedEnded(escaped.get(), &Shell::ended);
    QTest::keyClick(escaped->window(Window::Form2), Qt::Key_Escape);
    QCOMPARE(escapedEnded.count(), 1);

    // The main window's close request ends the run, even while it is disabled.
    main.close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Ending>(), Ending::Exit);
    QVERIFY(!about->isVisible());
}

void MainWindowTest::exitEndsTheRun() {
    auto shell = startShell();
    QSignalSpy ended(shell.get(), &Shell::ended);
    click(shell->mainWindow(), "Command2");
    QCOMPARE(ended.count(), 1);
    QVERIFY(!shell->mainWindow().isVisible());
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::MainWindowTest)
#include "main_window_test.moc"
