// The floor for the game's start-up: an empty window of the main window's size and place,
// with the same look and bundled font, up to its first paint. With --text it also shows one
// line of text, which puts a price on bringing up Qt's font machinery at all.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "shell/look.hpp"
#include "shell/twips.hpp"
#include "startup_probe.hpp"

int main(int argc, char** argv) {
    const std::int64_t mainNs = tarvilon::bench::monotonicNs();
    const tarvilon::bench::Stamp exec = tarvilon::bench::execStamp(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;

    QApplication app(argc, argv);
    tarvilon::bench::FirstPaint probe(exec, mainNs);
    probe.mark("application");
    tarvilon::ui::installLook();
    probe.mark("look");
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    // Form1's client area.
    const QRect area = tarvilon::ui::twips(2550, 1710, 5550, 5220);
    window.setGeometry(area);
    window.setFixedSize(area.size());
    if (withText) {
        auto* line = new QLabel(QStringLiteral("ТАРВИЛОН"), &window);
        line->setGeometry(tarvilon::ui::twips(360, 360, 1335, 255));
    }
    probe.mark("windows");
    probe.watch(window);
    window.show();
    probe.mark("show");
    return QApplication::exec();
}
