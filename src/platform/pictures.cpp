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

QCursor PictureCursor(const QString &path, int hotX, int hotY)
{
    const QPixmap pixmap = RenderPicture(path, QSize(32, 32));
    if (pixmap.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(pixmap, hotX, hotY);
}
