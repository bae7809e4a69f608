// svg_to_png INPUT.svg SIZE OUTPUT.png
// Renders the game's own skull into the square PNGs the icon theme wants, so the menu icon
// is drawn from the same file as the window's and needs no converter outside Qt.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // text in an SVG needs the font database
    const QStringList args = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args.at(2).toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0 || size > 4096) {
        std::fputs("usage: svg_to_png INPUT.svg SIZE OUTPUT.png (SIZE in 1..4096)\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    const QSizeF box = renderer.viewBoxF().size();
    if (!renderer.isValid() || box.isEmpty()) {
        std::fprintf(stderr, "svg_to_png: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Fit the longer side, keep the proportions, centre the shorter one.
    const QSizeF fitted = box.scaled(size, size, Qt::KeepAspectRatio);
    const QRectF target((size - fitted.width()) / 2.0, (size - fitted.height()) / 2.0,
                        fitted.width(), fitted.height());
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, target);
    }
    if (!image.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "svg_to_png: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
