#include "platform/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap RenderPicture(const QString &path, QSize size, qreal ratio)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || size.isEmpty())
        return {};
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon SquareIcon(const QString &path, int side)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || side <= 0)
        return QIcon(path);
    QSizeF drawn = renderer.defaultSize();
    drawn.scale(side, side, Qt::KeepAspectRatio);
    const QRectF place(QPointF((side - drawn.width()) / 2, (side - drawn.height()) / 2), drawn);
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(side, side) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, place);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QCursor PictureCursor(const QString &path, int hotX, int hotY)
{
    const QPixmap pixmap = RenderPicture(path, QSize(32, 32));
    if (pixmap.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(pixmap, hotX, hotY);
}
