#pragma once

// Shared by the two start-up probes: each re-executes itself once so that the clock is read
// right before the exec that starts the measured image, then reports when the watched window's
// first paint has been handled and flushed, and how much memory the image had touched by then.

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace tarvilon::bench {

inline std::int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

// CPU time of all the process's threads. It goes on across an exec, so the probe subtracts
// what the first image used.
inline std::int64_t processCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

inline constexpr const char* kStampFlag = "--exec-ns=";

struct Stamp {
    std::int64_t wallNs;  // CLOCK_MONOTONIC
    std::int64_t cpuNs;   // processCpuNs()
};

// The clocks read just before this image was exec'd. On the first call of a process it reads
// them and execs itself with them, so it returns only in the second image; the flag is removed
// from argv before Qt sees it. Under valgrind, which cannot exec /proc/self/exe, pass the flag
// (--exec-ns=0,0) to skip the exec: the times are then meaningless, the instruction counts not.
inline Stamp execStamp(int& argc, char** argv) {
    const std::size_t flagLength = std::strlen(kStampFlag);
    if (argc >= 2 && std::strncmp(argv[1], kStampFlag, flagLength) == 0) {
        char* end = nullptr;
        Stamp stamp{};
        stamp.wallNs = std::strtoll(argv[1] + flagLength, &end, 10);
        stamp.cpuNs = std::strtoll(end + 1, nullptr, 10);
        for (int i = 1; i + 1 < argc; ++i) argv[i] = argv[i + 1];
        argv[--argc] = nullptr;
        return stamp;
    }
    std::vector<char*> args(argv, argv + argc);
    const std::int64_t cpu = processCpuNs();
    std::string flag = kStampFlag + std::to_string(monotonicNs()) + "," + std::to_string(cpu);
    args.insert(args.begin() + 1, flag.data());
    args.push_back(nullptr);
    execv("/proc/self/exe", args.data());
    std::perror("startup probe: execv");
    std::_Exit(2);
}

// A line of /proc/self/status in KiB. VmHWM is this image's own peak: getrusage's ru_maxrss
// would also count the image before the exec.
inline long statusKiB(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t keyLength = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, keyLength, key) == 0 && line.size() > keyLength &&
            line[keyLength] == ':')
            return std::strtol(line.c_str() + keyLength + 1, nullptr, 10);
    return -1;
}

// Watches a top-level widget for its first paint. The report is queued from inside that
// paint, so it runs once the whole window has been painted and flushed to the platform.
class FirstPaint : public QObject {
  public:
    // The first phase runs from the entry of main().
    FirstPaint(Stamp exec, std::int64_t mainNs) : exec_(exec), mainNs_(mainNs), last_(mainNs) {}

    // Needs the application: a window that never paints is a failure, not a hang.
    void watch(QObject& window) {
        window.installEventFilter(this);
        QTimer::singleShot(20'000, this, [] {
            std::fprintf(stderr, "startup probe: no paint within 20 s\n");
            std::_Exit(3);
        });
    }

    // Ends a phase of main(): the report gives each phase's length, so a slow start can be
    // traced to the step that made it slow.
    void mark(const char* phase) {
        const std::int64_t now = monotonicNs();
        phases_.emplace_back(phase, now - last_);
        last_ = now;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void report() const {
        const std::int64_t now = monotonicNs();
        const std::int64_t cpu = processCpuNs();
        std::printf(
            "exec_to_main_ms=%.3f main_to_paint_ms=%.3f exec_to_paint_ms=%.3f "
            "cpu_to_paint_ms=%.3f hwm_kib=%ld rss_kib=%ld\n",
            static_cast<double>(mainNs_ - exec_.wallNs) / 1e6,
            static_cast<double>(now - mainNs_) / 1e6, static_cast<double>(now - exec_.wallNs) / 1e6,
            static_cast<double>(cpu - exec_.cpuNs) / 1e6, statusKiB("VmHWM"), statusKiB("VmRSS"));
        for (const auto& [phase, ns] : phases_)
            std::printf("phase_%s_ms=%.3f\n", phase, static_cast<double>(ns) / 1e6);
        std::printf("phase_loop_to_paint_ms=%.3f\n", static_cast<double>(now - last_) / 1e6);
        std::fflush(stdout);
        // Tearing the windows down is no part of starting up.
        std::_Exit(0);
    }

    Stamp exec_;
    std::int64_t mainNs_;
    std::int64_t last_;
    std::vector<std::pair<const char*, std::int64_t>> phases_;
    bool seen_ = false;
};

}  // namespace tarvilon::bench
