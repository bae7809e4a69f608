#include "shell/pictures.hpp"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace tarvilon::ui {
namespace {

constexpr QSize kHandSize{32, 32};
constexpr QSize kSkullSize{33, 31};

qreal screenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
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

QCursor handPointer() {
    return QCursor(picture(QStringLiteral(":/pictures/hand.svg"), kHandSize, screenRatio()), 0, 0);
}

QIcon skullIcon() {
    QIcon icon;
    for (qreal ratio : {1.0, 2.0, 4.0})
        icon.addPixmap(picture(QStringLiteral(":/pictures/skull.svg"), kSkullSize, ratio));
    return icon;
}

}  // namespace tarvilon::ui
