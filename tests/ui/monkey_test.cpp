// A monkey at the window: a hundred thousand random clicks anywhere on every open window,
// random typing and pastes into the input box (up to a megabyte), minimising and the window
// system's close requests. The game must never crash, its state must stay consistent after
// every event, the windows must show exactly that state, and a run may end only as a player
// can end it. Seeded, so a failure replays.

#include <QClipboard>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <random>

#include "content/texts.hpp"
#include "invariants.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

constexpr int kClicks = 100'000;

constexpr std::uint32_t kSeed = 20261207;

class Monkey {
  public:
    explicit Monkey(std::uint32_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }

    // Mostly the words of the game; sometimes anything at all, a megabyte now and then.
    QString word(bool huge) {
        static const QStringList known = {
            QStringLiteral("вертолёт"), QStringLiteral("тропинка"), QStringLiteral("стол"),
            QStringLiteral("дух"),      QStringLiteral("лесник"),   QStringLiteral("охраник"),
            QStringLiteral("Вертолёт"), QStringLiteral("пещера"),   QStringLiteral("ветка")};
        if (chance(60)) return known[below(static_cast<int>(known.size()))];
        static const QString alphabet = QStringLiteral(
            "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖabcXYZ019 \t\r\n\x01\x7f€😀ぁ\u200b");
        const int length = huge && chance(5) ? (1 << 20) : below(40);
        QString s;
        s.reserve(length);
        for (int i = 0; i < length; ++i) s += alphabet[below(static_cast<int>(alphabet.size()))];
        return s;
    }

  private:
    std::mt19937 random_;
};

// Where a run starts: fresh, or with one of the windows that random clicks seldom open
// already up, so that every window's controls get their share of the clicks.
Game startingPoint(int which) {
    Game g;
    World& w = g.world();
    auto examine = [&g](int level, std::string_view word) {
        g.world().level = level;
        g.type(word);
        g.press(Verb::Examine);
    };
    switch (which % 6) {
        case 1:
            examine(2, "лесник");
            g.press(Verb::Talk);
            break;
        case 2:
            w.setSlot(Slot::Goods, text::kCoins);
            examine(3, "охраник");
            g.press(Verb::Talk);
            break;
        case 3:
            examine(4, "стол");
            break;
        case 4:
            w.setFlag(Flag::T1, 1);
            examine(10, "пещера");
            g.press(Verb::Go);
            break;
        case 5:  // the land of spirits, armed
            w.setSlot(Slot::Goods, text::kAmulet);
            w.setSlot(Slot::Pouch, text::kArrow);
            examine(9, "дух");
            break;
        default:
            break;
    }
    return g;
}

void pressAndRelease(QWidget* target, QPoint at) {
    sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

class MonkeyTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installLook(); }
    void randomPlayNeverBreaksTheGame();
};

void MonkeyTest::randomPlayNeverBreaksTheGame() {
    Monkey monkey(kSeed);
    int clicks = 0;
    int runs = 0;
    std::map<Ending, int> endings;
    while (clicks < kClicks) {
        auto shell = startShell(startingPoint(runs++));
        MainWindow& main = shell->mainWindow();
        QSignalSpy ended(shell.get(), &Shell::ended);
        while (ended.isEmpty() && clicks < kClicks) {
            // Any window that is up, the disabled main window included.
            std::vector<QWidget*> open = {&main};
            for (Window w : kSecondaryWindows)
                if (QWidget* s = shell->window(w); s && s->isVisible()) open.push_back(s);
            QWidget* window =
                open[static_cast<std::size_t>(monkey.below(static_cast<int>(open.size())))];

            const int roll = monkey.below(100);
            if (roll < 90) {
                ++clicks;
                const QPoint at(monkey.below(window->width()), monkey.below(window->height()));
                QWidget* target = window->childAt(at);
                if (target == nullptr) target = window;
                pressAndRelease(target, target->mapFrom(window, at));
            } else if (roll < 96) {
                auto* input = &named<QLineEdit>(main, "Text3");
                input->selectAll();
                typeInto(input, monkey.word(false));  // key by key, so short
            } else if (roll < 98) {
                auto* input = &named<QLineEdit>(main, "Text3");
                QGuiApplication::clipboard()->setText(monkey.word(true));
                QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
                QApplication::sendEvent(input, &paste);
            } else {
                // The window system's request; the main window's ends the run, so seldom.
                if (window != &main || monkey.chance(10)) window->close();
            }
            if (main.isMinimized()) main.showNormal();  // as the window system restores it

            const Game& game = shell->game();
            if (game.ended()) break;
            const auto broken = explorer::brokenInvariants(game);
            QVERIFY2(broken.empty(), broken.empty() ? "" : broken.front().c_str());
            QCOMPARE(main.isEnabled(), game.windows().mainEnabled());
            for (Window w : kSecondaryWindows) {
                QWidget* s = shell->window(w);
                QCOMPARE(s != nullptr && s->isVisible(), game.windows().visible(w));
            }
            QCOMPARE(textOf(main, "Text2"), displayText(game.world().focus));
        }
        if (!ended.isEmpty()) {
            const auto how = ended.at(0).at(0).value<Ending>();
            QVERIFY(how == Ending::Exit || how == Ending::Death || how == Ending::Finale);
            ++endings[how];
            QVERIFY(!main.isVisible());
        }
    }
    qInfo("%d clicks over %d runs: %d quit, %d died, %d finished", clicks, runs,
          endings[Ending::Exit], endings[Ending::Death], endings[Ending::Finale]);
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::MonkeyTest)
#include "monkey_test.moc"
