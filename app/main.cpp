#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/shell.hpp"

namespace {

constexpr const char* kHowToRun =
    "run it in a graphical session, or without one under Xvfb: xvfb-run ./tarvilon";

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt's own start-up report when it cannot reach the display is many lines and a core dump.
// Until the application exists, its messages are held back, and a fatal one becomes one line.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) return;
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
    qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tarvilon.tarvilon"));

    tarvilon::ui::installLook();
    tarvilon::ui::installClickLabelAccessibility();
    tarvilon::ui::Shell shell;
    QObject::connect(&shell, &tarvilon::ui::Shell::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
