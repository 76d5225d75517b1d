#include "platform/frames.h"

#include <QFrame>

namespace platform {

QFrame *MakeOverlayFrame(QWidget *area, const QString &objectName, const QSize &size)
{
    auto *frame = new QFrame(area);
    frame->setObjectName(objectName);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    frame->setGeometry(0, 0, size.width(), size.height());
    frame->hide();
    return frame;
}

} // namespace platform
