#include "shell/pictures.hpp"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QScreen>
#include <QSvgRenderer>

namespace tarvilon::ui {
namespace {

constexpr QSize kHandSize{32, 32};
constexpr QSize kSkullSize{33, 31};
// The build renders the start-up pictures at these ratios, as raw premultiplied RGBA bytes
// in :/pixels/NAME@Rx.rgba.
constexpr int kPrerenderedRatios[] = {1, 2, 4};

qreal screenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

// `name` at `ratio`: wrapped from the build's raw pixels where there are some for that ratio,
// which costs next to nothing before the first frame; drawn from the SVG otherwise.
QPixmap startupPicture(const QString& name, QSize size, qreal ratio) {
    for (int shipped : kPrerenderedRatios) {
        if (ratio != shipped) continue;
        const QResource pixels(QStringLiteral(":/pixels/%1@%2x.rgba").arg(name).arg(shipped));
        const QSize device = size * shipped;
        if (pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64{device.width()} * device.height() * 4)
            break;
        const QImage image(pixels.data(), device.width(), device.height(),
                           QImage::Format_RGBA8888_Premultiplied);
        QPixmap pixmap = QPixmap::fromImage(image);  // copies: the image only borrows the bytes
        pixmap.setDevicePixelRatio(shipped);
        return pixmap;
    }
    return picture(QStringLiteral(":/pictures/%1.svg").arg(name), size, ratio);
}

}  // namespace

QPixmap picture(const QString& resource, QSize size, qreal pixelRatio) {
    QPixmap pixmap(size * pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(resource);
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QPixmap drawing(std::string_view name, QSize box, qreal pixelRatio) {
    const QString svg = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    const QSize size = svg == QLatin1String("skull") ? kSkullSize : box;
    return picture(QStringLiteral(":/pictures/%1.svg").arg(svg), size, pixelRatio);
}

QCursor handPointer(qreal pixelRatio) {
    return QCursor(startupPicture(QStringLiteral("hand"), kHandSize, pixelRatio), 0, 0);
}

QCursor handPointer() {
    return handPointer(screenRatio());
}

QIcon skullIcon() {
    QIcon icon;
    for (int ratio : kPrerenderedRatios)
        icon.addPixmap(startupPicture(QStringLiteral("skull"), kSkullSize, ratio));
    return icon;
}

}  // namespace tarvilon::ui
