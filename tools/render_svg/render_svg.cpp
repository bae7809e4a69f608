// render_svg INPUT.svg SIZE OUTPUT, SIZE being N (a square) or WxH, OUTPUT a .png or a .rgba
// Renders the game's own pictures at build time: the icon theme's square PNGs, so the menu
// icon is drawn from the same file as the window's, and the pointer and window icon as raw
// premultiplied RGBA bytes (row by row, no header), which the game wraps without decoding
// before its first frame. Needs no converter outside Qt.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <optional>

namespace {

constexpr int kLargest = 4096;

std::optional<QSize> parseSize(const QString& text) {
    const QStringList parts = text.split(u'x');
    if (parts.size() > 2) return std::nullopt;
    bool wOk = false;
    bool hOk = true;
    const int w = parts.at(0).toInt(&wOk);
    const int h = parts.size() == 2 ? parts.at(1).toInt(&hOk) : w;
    if (!wOk || !hOk || w <= 0 || h <= 0 || w > kLargest || h > kLargest) return std::nullopt;
    return QSize(w, h);
}

bool save(const QImage& image, const QString& path) {
    if (!path.endsWith(QStringLiteral(".rgba"))) return image.save(path, "PNG");
    // Byte order RGBA whatever the machine's endianness; rows packed, 4 bytes a pixel.
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return false;
    for (int y = 0; y < rgba.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(rgba.constScanLine(y));
        if (out.write(row, qint64{rgba.width()} * 4) != qint64{rgba.width()} * 4) return false;
    }
    return out.flush();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // text in an SVG needs the font database
    const QStringList args = QCoreApplication::arguments();
    const std::optional<QSize> size = args.size() == 4 ? parseSize(args.at(2)) : std::nullopt;
    if (!size) {
        std::fputs(
            "usage: render_svg INPUT.svg SIZE OUTPUT.png|OUTPUT.rgba (SIZE: N or WxH, 1..4096)\n",
            stderr);
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    const QSizeF box = renderer.viewBoxF().size();
    if (!renderer.isValid() || box.isEmpty()) {
        std::fprintf(stderr, "render_svg: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }

    QImage image(*size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Fit the picture, keep its proportions, centre it along the spare side.
    const QSizeF fitted = box.scaled(QSizeF(*size), Qt::KeepAspectRatio);
    const QRectF target((size->width() - fitted.width()) / 2.0,
                        (size->height() - fitted.height()) / 2.0, fitted.width(), fitted.height());
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter, target);
    }
    if (!save(image, args.at(3))) {
        std::fprintf(stderr, "render_svg: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
