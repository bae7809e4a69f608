// A whole game through the real windows: every word typed into the input box, every verb,
// dialogue line and card clicked where a player would click it, from the crash site to
// "Конец...".

#include <QSignalSpy>

#include "content/texts.hpp"
#include "ui_fixture.hpp"

namespace tarvilon::ui {
namespace {

using namespace testing;

// One player action: examine a word, or click a named control in a window.
struct Step {
    const char* window;  // "Form1", "lesnik", "musik", "Stol", "Form2"
    const char* control;
    const char* word = nullptr;  // typed first, for "ОБСЛЕДОВАТЬ"
};

constexpr const char* kLook = "Label5";
constexpr const char* kExamine = "Label6";
constexpr const char* kTalk = "Label7";
constexpr const char* kGo = "Label8";
constexpr const char* kCraft = "Label9";
constexpr const char* kDigShoot = "Label10";
constexpr const char* kPickUp = "Label11";

Step ex(const char* word) {
    return {"Form1", kExamine, word};
}
Step verb(const char* label) {
    return {"Form1", label};
}

// clang-format off
const std::vector<Step> kRoad = {
    {"Form1", "Label16"}, verb(kLook),
    // The crash site
    ex("вертолёт"), verb(kPickUp), ex("трупы"), verb(kPickUp), ex("чемодан"), verb(kPickUp),
    ex("тропинка"), verb(kGo), verb(kLook),
    // The jungle
    ex("лесник"), verb(kTalk), {"lesnik", "Label2"}, {"lesnik", "Label3"}, {"lesnik", "Label6"},
    ex("дерево"), ex("ветка"), verb(kCraft), verb(kPickUp),
    ex("табличка"), verb(kDigShoot), verb(kPickUp),
    ex("указатель"), verb(kGo), verb(kLook),
    // The village gate
    ex("охраник"), verb(kTalk), {"musik", "Label2"}, {"musik", "Label4"}, {"musik", "Label3"},
    {"musik", "Label5"}, {"musik", "Label6"},
    ex("ворота"), verb(kGo), verb(kLook),
    // The village
    ex("торговец"), verb(kTalk), ex("лекарь"), verb(kPickUp),
    ex("стол"), {"Stol", "Label3"}, {"Stol", "Label7"},
    ex("дорога"), verb(kGo), verb(kLook),
    // The river bank
    ex("нора"), verb(kPickUp), ex("дикарь"), verb(kPickUp), ex("доски"), verb(kCraft),
    ex("мост"), verb(kGo), verb(kLook),
    // The foot of the mountain
    ex("монстр"), verb(kDigShoot), ex("кусты"), verb(kCraft), ex("канат"), verb(kGo), verb(kLook),
    // The mountain
    ex("трава"), verb(kPickUp), ex("фляга"), verb(kPickUp), ex("ветки"), verb(kCraft), verb(kGo),
    verb(kLook),
    // The shaman
    ex("шаман"), verb(kPickUp), ex("сучок"), verb(kCraft), verb(kPickUp), ex("проход"), verb(kGo),
    verb(kLook),
    // The land of spirits
    ex("дух"), verb(kDigShoot), verb(kGo), verb(kLook),
    ex("пакет"), verb(kPickUp), ex("дух"), verb(kDigShoot), verb(kGo), verb(kLook),
    ex("стрела"), verb(kPickUp), ex("дух"), verb(kDigShoot), verb(kGo), verb(kLook),
    // The cave
    ex("завал"), verb(kCraft), ex("пещера"), verb(kGo),
    {"Form2", "Label1"},
};
// clang-format on

class WholeGameTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installLook(); }
    void playsFromTheCrashSiteToTheEnd();
};

void WholeGameTest::playsFromTheCrashSiteToTheEnd() {
    auto shell = startShell();
    MainWindow& main = shell->mainWindow();
    QSignalSpy ended(shell.get(), &Shell::ended);

    auto window = [&](const char* name) -> QWidget* {
        if (qstrcmp(name, "Form1") == 0) return &main;
        for (Window w : {Window::Lesnik, Window::Musik, Window::Stol, Window::Form2})
            if (SecondaryWindow* s = shell->window(w); s && s->objectName() == QLatin1String(name))
                return s;
        return nullptr;
    };
    int levelsSeen = 1;
    for (const Step& step : kRoad) {
        QWidget* w = window(step.window);
        QVERIFY2(w != nullptr && w->isVisible(), step.window);
        QVERIFY2(w->isEnabled(), step.window);
        if (step.word != nullptr) {
            auto* input = find<QLineEdit>(main, "Text3");
            click(main, "Text3");
            typeInto(input, QString::fromUtf8(step.word));
            QCOMPARE(input->text(), QString::fromUtf8(step.word));
        }
        const QString before = textOf(main, "Text2");
        click(*w, step.control);
        if (step.word != nullptr) {
            // Every examined word on the road gets an answer or opens a window.
            QVERIFY2(textOf(main, "Text2") != before || !main.isEnabled(), step.word);
            QVERIFY(textOf(main, "Text3").isEmpty());
        }
        if (step.control == kLook) {
            QVERIFY2(!textOf(main, "Text1").isEmpty(), "nothing to see after going on");
            levelsSeen = textOf(main, "Label2").toInt();
        }
        if (ended.count() > 0) break;
    }
    QCOMPARE(levelsSeen, 10);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<Ending>(), Ending::Finale);
    const World& end = shell->game().world();
    QCOMPARE(qs(end.slot(Slot::Weapon)), qs(text::kPistol));
    QCOMPARE(qs(end.slot(Slot::Goods)), qs(text::kAmulet));
    // 25, healed by the first-aid kit, the powder and the healer's powder, then shot once by
    // the second spirit on being examined.
    QCOMPARE(qs(end.healthText()), QStringLiteral("75"));
    QCOMPARE(qs(end.shootCaption), qs(text::kShootCaption));
}

}  // namespace
}  // namespace tarvilon::ui

QTEST_MAIN(tarvilon::ui::WholeGameTest)
#include "whole_game_test.moc"
