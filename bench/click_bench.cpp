// A click on ОБСЛЕДОВАТЬ, in process on the offscreen platform: from the mouse press on the
// real Label6 to the response box (Text2) painted with the new answer.
//
// Each click is timed in two parts:
//   handled  the press and release delivered to the label, which runs the engine and sets
//            every widget's new text (all synchronous; Qt only schedules the repaint);
//   painted  events processed until Text2's viewport has had its paint event and the event
//            loop has returned from that repaint, flush to the platform included.
// The word in the input box alternates between "дух" and "пакет" at level 9, so the answer,
// and on every other click the health box, changes every time. Typing the word is done
// between clicks and not timed; its own repaint is drained before the next click.

#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

#include "game.hpp"
#include "shell/accessibility.hpp"
#include "shell/click_label.hpp"
#include "shell/look.hpp"
#include "shell/main_window.hpp"
#include "shell/shell.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// This thread's CPU time: unlike the wall clock, it does not count the time the thread spent
// waiting for a core that another process had.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

long involuntarySwitches() {
    rusage r{};
    getrusage(RUSAGE_THREAD, &r);
    return r.ru_nivcsw;
}

class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Processes events until the watched widget has painted; false if it never does.
bool untilPainted(const PaintWatch& watch) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (!watch.painted) {
        QCoreApplication::processEvents();
        if (Clock::now() > deadline) return false;
    }
    return true;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

}  // namespace

int main(int argc, char** argv) {
    int clicks = 10'000;
    if (argc > 1) clicks = std::atoi(argv[1]);
    constexpr int kWarmUp = 500;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    tarvilon::ui::installLook();
    tarvilon::ui::installAccessibility();

    // Past the intro and the splash, at the second spirit: the busiest Examine.
    tarvilon::Game game;
    game.dismissIntro();
    game.splashTimerTick();
    game.world().level = 9;
    game.world().setFlag(tarvilon::Flag::T1, 1);
    tarvilon::ui::Shell shell(game);
    shell.start();

    tarvilon::ui::MainWindow& main = shell.mainWindow();
    auto* examine = main.findChild<tarvilon::ui::ClickLabel*>(QStringLiteral("Label6"));
    auto* response = main.findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
    if (examine == nullptr || response == nullptr) {
        std::fprintf(stderr, "click_bench: Label6 or Text2 not found\n");
        return 2;
    }
    PaintWatch watch;
    response->viewport()->installEventFilter(&watch);
    if (!untilPainted(watch)) {
        std::fprintf(stderr, "click_bench: the main window never painted\n");
        return 2;
    }

    const QPoint centre = examine->rect().center();
    const std::string_view words[] = {"дух", "пакет"};
    std::vector<double> handledMs;
    std::vector<double> paintedMs;
    std::vector<double> cpuMs;
    std::vector<double> unpreemptedMs;  // painted, for the clicks no other process interrupted
    handledMs.reserve(static_cast<std::size_t>(clicks));
    paintedMs.reserve(static_cast<std::size_t>(clicks));
    cpuMs.reserve(static_cast<std::size_t>(clicks));
    int unchanged = 0;
    int preempted = 0;  // clicks during which another process took the core

    for (int i = 0; i < kWarmUp + clicks; ++i) {
        const std::string_view word = words[i % 2];
        shell.act([word](tarvilon::Game& g) { g.type(word); });
        QCoreApplication::processEvents();
        const QString before = response->toPlainText();
        watch.painted = false;

        const long switches = involuntarySwitches();
        const double cpu0 = threadCpuMs();
        const auto t0 = Clock::now();
        QTest::mousePress(examine, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(examine, Qt::LeftButton, {}, centre);
        const auto t1 = Clock::now();
        if (!untilPainted(watch)) {
            std::fprintf(stderr, "click_bench: Text2 did not repaint after click %d\n", i);
            return 2;
        }
        const auto t2 = Clock::now();
        const double cpu = threadCpuMs() - cpu0;
        const bool wasPreempted = involuntarySwitches() != switches;

        if (response->toPlainText() == before) ++unchanged;
        if (i < kWarmUp) continue;
        handledMs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        paintedMs.push_back(std::chrono::duration<double, std::milli>(t2 - t0).count());
        cpuMs.push_back(cpu);
        if (wasPreempted)
            ++preempted;
        else
            unpreemptedMs.push_back(paintedMs.back());
    }
    if (unchanged != 0) {
        std::fprintf(stderr, "click_bench: %d clicks left the response unchanged\n", unchanged);
        return 2;
    }
    std::printf(
        "clicks=%d handled_median_ms=%.4f handled_p99_ms=%.4f painted_median_ms=%.4f "
        "painted_p99_ms=%.4f painted_max_ms=%.4f cpu_median_ms=%.4f cpu_p99_ms=%.4f "
        "preempted=%d unpreempted_p99_ms=%.4f\n",
        clicks, percentile(handledMs, 0.5), percentile(handledMs, 0.99), percentile(paintedMs, 0.5),
        percentile(paintedMs, 0.99), percentile(paintedMs, 1.0), percentile(cpuMs, 0.5),
        percentile(cpuMs, 0.99), preempted,
        unpreemptedMs.empty() ? 0.0 : percentile(unpreemptedMs, 0.99));
    return 0;
}
