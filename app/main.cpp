#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/accessibility.hpp"
#include "shell/language.hpp"
#include "shell/look.hpp"
#include "shell/shell.hpp"

namespace {

constexpr const char* kHowToRun =
    "run it in a graphical session, or without one under Xvfb: xvfb-run ./tarvilon";

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Standard error as it was before start-up muted it.
int realStderr = STDERR_FILENO;

// Qt's own start-up report when it cannot reach the display is many lines and a core dump,
// and the display libraries below it write to standard error directly. Until the application
// exists, all of that is held back, and a fatal message becomes one line.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) return;
    dup2(realStderr, STDERR_FILENO);
    const std::string display = set("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY")
                                : set("DISPLAY")       ? std::getenv("DISPLAY")
                                                       : "";
    std::fprintf(stderr, "tarvilon: cannot open a window on display \"%s\" (%s); %s\n",
                 display.c_str(), qPrintable(message.section(QLatin1Char('.'), 0, 0)), kHowToRun);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

int main(int argc, char** argv) {
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tarvilon: no display found (DISPLAY is not set); %s\n", kHowToRun);
        return EXIT_FAILURE;
    }
    realStderr = dup(STDERR_FILENO);
    const int muted = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (realStderr >= 0 && muted >= 0) dup2(muted, STDERR_FILENO);
    qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    if (realStderr >= 0) dup2(realStderr, STDERR_FILENO);
    if (muted >= 0) close(muted);
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tarvilon.tarvilon"));

    tarvilon::ui::installLook();
    tarvilon::ui::installAccessibility();
    tarvilon::ui::Shell shell({}, tarvilon::ui::systemCatalog());
    QObject::connect(&shell, &tarvilon::ui::Shell::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
