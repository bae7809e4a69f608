#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "shell/click_label.hpp"
#include "shell/layout.hpp"
#include "shell/shell.hpp"

namespace {

// Without a display Qt would abort with a long report; one clear line serves better.
bool displayReachable(int argc, char** argv) {
    (void)argc;
    (void)argv;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayReachable(argc, argv)) {
        std::fputs(
            "tarvilon: no display found (DISPLAY is not set); run it in a graphical session, "
            "or under Xvfb: xvfb-run ./tarvilon\n",
            stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    tarvilon::ui::installLook();
    tarvilon::ui::installClickLabelAccessibility();
    tarvilon::ui::Shell shell;
    QObject::connect(&shell, &tarvilon::ui::Shell::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    shell.start();
    return QApplication::exec();
}
