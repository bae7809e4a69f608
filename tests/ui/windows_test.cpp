// The secondary windows clicked as a player would: the dialogues, the card of fate and the
// ending, each reached through the main window's verbs.

#include <QResource>
#include <QScrollBar>
#include <QSignalSpy>

#include "content/speeches.hpp"
#include "content/texts.hpp"
#include "shell/pictures.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

// Types a word into the input box the way a player's keystrokes arrive.
void type(MainWindow& main, const QString& word) {
    auto* input = &named<QLineEdit>(main, "Text3");
    input->selectAll();
    QTest::keyClick(input, Qt::Key_Delete);
    typeInto(input, word);
}

void examine(MainWindow& main, const QString& word) {
    type(main, word);
    click(main, "Label6");
}

Game at(int level) {
    Game g;
    g.dismissIntro();
    g.world().level = level;
    return g;
}

class WindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installLook(); }

    void foresterAnswersAndKeepsHisLastAnswer();
    void guardRevealsLinesAndTakesTheCoins();
    void guardWithoutCoinsSendsYouAway();
    void cardOfFateDealsLifeInTheMiddle();
    void cardOfFateDeathEndsTheRun();
    void endingLeavesOnlyTheLastClick();
    void startupPicturesMatchTheirDrawings();
};

void WindowsTest::foresterAnswersAndKeepsHisLastAnswer() {
    auto shell = startShell(at(2));
    MainWindow& main = shell->mainWindow();
    examine(main, QStringLiteral("лесник"));
    click(main, "Label7");
    QWidget* lesnik = shell->window(Window::Lesnik);
    QVERIFY(lesnik != nullptr && lesnik->isVisible());
    QVERIFY(!main.isEnabled());
    QVERIFY(textOf(*lesnik, "Label1").isEmpty());

    const World before = shell->game().world();
    click(*lesnik, "Label2");
    QCOMPARE(textOf(*lesnik, "Label1"), qt(forester::kNameAnswer));
    click(*lesnik, "Label5");  // "До встрече!" only answers
    QVERIFY(lesnik->isVisible());
    QCOMPARE(textOf(*lesnik, "Label1"), qt(forester::kSeeYouAnswer));
    click(*lesnik, "Label3");
    click(*lesnik, "Label6");  // "Пока!"
    QVERIFY(!lesnik->isVisible());
    QVERIFY(main.isEnabled());
    QVERIFY(shell->game().world() == before);  // the talk changes nothing in the world

    click(main, "Label7");  // the focus text is still his, so he talks again
    QCOMPARE(shell->window(Window::Lesnik), lesnik);
    QVERIFY(lesnik->isVisible());
    QCOMPARE(textOf(*lesnik, "Label1"), qt(forester::kSettlementAnswer));
}

void WindowsTest::guardRevealsLinesAndTakesTheCoins() {
    Game g = at(3);
    g.world().setSlot(Slot::Goods, text::kCoins);
    auto shell = startShell(g);
    MainWindow& main = shell->mainWindow();
    examine(main, QStringLiteral("охраник"));
    click(main, "Label7");
    QWidget* musik = shell->window(Window::Musik);
    QVERIFY(musik != nullptr && musik->isVisible());

    auto shown = [&] {
        QStringList names;
        for (const char* n : {"Label2", "Label3", "Label4", "Label5", "Label6", "Label7"})
            if (named(*musik, n).isVisible()) names << QString::fromLatin1(n);
        return names.join(QLatin1Char(' '));
    };
    QCOMPARE(shown(), QStringLiteral("Label2"));
    click(*musik, "Label2");
    QCOMPARE(shown(), QStringLiteral("Label2 Label4"));
    click(*musik, "Label4");
    QCOMPARE(textOf(*musik, "Label1"), qt(content::kVillageNews));
    QCOMPARE(shown(), QStringLiteral("Label2 Label3 Label4"));
    click(*musik, "Label3");
    QCOMPARE(shown(), QStringLiteral("Label2 Label3 Label4 Label5"));
    click(*musik, "Label5");
    QCOMPARE(shown(), QStringLiteral("Label2 Label3 Label4 Label5 Label6"));
    QCOMPARE(shell->game().world().flag(Flag::T1), 1);
    QVERIFY(textOf(main, "Label13").isEmpty());
    click(*musik, "Label6");
    QVERIFY(!musik->isVisible());
    QVERIFY(main.isEnabled());

    click(main, "Label7");  // a paid guard only answers
    QVERIFY(!musik->isVisible());
    QCOMPARE(textOf(main, "Text2"), qt(text::kPaidGuard));
    examine(main, QStringLiteral("ворота"));
    QCOMPARE(textOf(main, "Text2"), qt(text::kMayPass));
    click(main, "Label8");
    QCOMPARE(textOf(main, "Label2"), QStringLiteral("4"));
}

void WindowsTest::guardWithoutCoinsSendsYouAway() {
    auto shell = startShell(at(3));
    MainWindow& main = shell->mainWindow();
    examine(main, QStringLiteral("охраник"));
    click(main, "Label7");
    QWidget* musik = shell->window(Window::Musik);
    for (const char* line : {"Label2", "Label4", "Label3"}) click(*musik, line);
    QVERIFY(!named(*musik, "Label5").isVisible());
    QVERIFY(named(*musik, "Label7").isVisible());
    click(*musik, "Label7");
    QCOMPARE(textOf(*musik, "Label1"), qt(guard::kGetLost));
    click(*musik, "Label6");
    click(main, "Label7");  // reopened exactly as it was left
    QVERIFY(musik->isVisible());
    QCOMPARE(textOf(*musik, "Label1"), qt(guard::kGetLost));
    QVERIFY(named(*musik, "Label6").isVisible());
}

void WindowsTest::cardOfFateDealsLifeInTheMiddle() {
    auto shell = startShell(at(4));
    MainWindow& main = shell->mainWindow();
    examine(main, QStringLiteral("стол"));
    QWidget* stol = shell->window(Window::Stol);
    QVERIFY(stol != nullptr && stol->isVisible());
    QVERIFY(!main.isEnabled());
    QCOMPARE(textOf(*stol, "Label5"), QStringLiteral("2"));
    QVERIFY(!named(*stol, "Label5").isVisible());

    // Face down: the word is there, but black on black, and a screen reader hears only "Карта".
    auto* middle = &named<QLabel>(*stol, "Label3");
    QCOMPARE(middle->text(), qt(text::kLife));
    QCOMPARE(middle->palette().color(QPalette::WindowText),
             middle->palette().color(QPalette::Window));
    QCOMPARE(middle->accessibleName(), QStringLiteral("Карта"));
    QVERIFY(!named(*stol, "Label6").isVisible());
    QVERIFY(!named(*stol, "Label7").isVisible());

    click(*stol, "Label3");
    QCOMPARE(middle->palette().color(QPalette::WindowText), colourOf(layout::kBrightWhite));
    QCOMPARE(middle->accessibleName(), qt(text::kLife));
    QVERIFY(!named(*stol, "Label2").isVisible());
    QVERIFY(!named(*stol, "Label4").isVisible());
    QVERIFY(named(*stol, "Label7").isVisible());
    click(*stol, "Label7");
    QVERIFY(!stol->isVisible());
    QVERIFY(main.isEnabled());
    QCOMPARE(shell->game().world().flag(Flag::T2), 1);
    QCOMPARE(shell->game().world().flag(Flag::T4), 1);
    examine(main, QStringLiteral("дорога"));
    QCOMPARE(textOf(main, "Text2"), qt(text::kRoadIsClear));
}

void WindowsTest::cardOfFateDeathEndsTheRun() {
    auto shell = startShell(at(4));
    MainWindow& main = shell->mainWindow();
    QSignalSpy ended(shell.get(), &Shell::ended);
    examine(main, QStringLiteral("стол"));
    QWidget* stol = shell->window(Window::Stol);
    click(*stol, "Label2");
    QCOMPARE(textOf(*stol, "Label2"), qt(text::kDeath));
    QVERIFY(named(*stol, "Label6").isVisible());
    QCOMPARE(named(*stol, "Label6").toolTip(), QStringLiteral("Конец игры"));
    QVERIFY(!stol->close());  // the window system cannot take the player out of it
    QCOMPARE(ended.count(), 0);
    click(*stol, "Label6");
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Ending>(), Ending::Death);
    QVERIFY(!stol->isVisible());
    QVERIFY(!main.isVisible());
}

void WindowsTest::endingLeavesOnlyTheLastClick() {
    Game g = at(10);
    g.world().setFlag(Flag::T1, 1);
    auto shell = startShell(g);
    MainWindow& main = shell->mainWindow();
    QSignalSpy ended(shell.get(), &Shell::ended);
    examine(main, QStringLiteral("пещера"));
    click(main, "Label8");
    QWidget* form2 = shell->window(Window::Form2);
    QVERIFY(form2 != nullptr && form2->isVisible());
    QVERIFY(!main.isEnabled());
    for (const char* box : {"Text1", "Text2", "Text3"}) QVERIFY(textOf(main, box).isEmpty());

    auto* story = &named<QPlainTextEdit>(*form2, "Text1");
    QVERIFY(story->isReadOnly());
    QVERIFY(story->toPlainText().startsWith(QStringLiteral("Вы входите в пещеру.")));
    typeInto(story, QStringLiteral("xyz"));
    QVERIFY(!story->toPlainText().contains(QStringLiteral("xyz")));
    QVERIFY(story->verticalScrollBar()->maximum() > 0);  // longer than its box: it scrolls

    click(main, "Label8");  // the main window stays disabled
    QCOMPARE(ended.count(), 0);
    click(*form2, "Label1");
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Ending>(), Ending::Finale);
}

// The pointer and the icon come from pixels the build renders; a stale, mis-sized or mis-ordered
// file would show a different picture from the SVG it stands for, or a blurred one at 2x.
void WindowsTest::startupPicturesMatchTheirDrawings() {
    for (const char* name : {"hand", "skull"}) {
        for (int ratio : {1, 2, 4}) {
            const QString path = QStringLiteral(":/pixels/%1@%2x.rgba").arg(name).arg(ratio);
            const QResource pixels(path);  // stored so that start-up can wrap it in place
            QVERIFY2(pixels.isValid(), qPrintable(path));
            QCOMPARE(pixels.compressionAlgorithm(), QResource::NoCompression);
        }
    }
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const QCursor hand = handPointer(ratio);
        const QPixmap shown = hand.pixmap();
        QCOMPARE(shown.deviceIndependentSize(), QSizeF(32, 32));
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(hand.hotSpot(), QPoint(0, 0));
        const QImage drawn =
            picture(QStringLiteral(":/pictures/hand.svg"), QSize(32, 32), ratio).toImage();
        QCOMPARE(shown.toImage().convertToFormat(drawn.format()), drawn);
    }
    const QIcon skull = skullIcon();
    for (int ratio : {1, 2, 4}) {
        const QPixmap shown = skull.pixmap(QSize(33, 31), ratio);
        QCOMPARE(shown.size(), QSize(33, 31) * ratio);
        const QImage drawn =
            picture(QStringLiteral(":/pictures/skull.svg"), QSize(33, 31), ratio).toImage();
        QCOMPARE(shown.toImage().convertToFormat(drawn.format()), drawn);
    }
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::WindowsTest)
#include "windows_test.moc"
