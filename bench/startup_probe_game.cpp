// The game's start-up as app/main.cpp runs it, up to the main window's first paint.

#include <QApplication>

#include "shell/accessibility.hpp"
#include "shell/look.hpp"
#include "shell/main_window.hpp"
#include "shell/shell.hpp"
#include "startup_probe.hpp"

int main(int argc, char** argv) {
    const std::int64_t mainNs = tarvilon::bench::monotonicNs();
    const tarvilon::bench::Stamp exec = tarvilon::bench::execStamp(argc, argv);

    QApplication app(argc, argv);
    tarvilon::bench::FirstPaint probe(exec, mainNs);
    probe.mark("application");
    tarvilon::ui::installLook();
    tarvilon::ui::installAccessibility();
    probe.mark("look");
    tarvilon::ui::Shell shell;
    QObject::connect(&shell, &tarvilon::ui::Shell::ended, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    probe.mark("windows");
    probe.watch(shell.mainWindow());
    shell.start();
    probe.mark("show");
    return QApplication::exec();
}
