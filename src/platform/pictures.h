#pragma once
// The program's pictures are SVG files compiled in under ":/pictures/"; these
// draw them at the size a control needs.

#include <QCursor>
#include <QPixmap>
#include <QString>

// Draws an SVG picture stretched to the given size (in device-independent
// pixels, at the given device pixel ratio); an empty pixmap when the picture
// cannot be drawn.
QPixmap RenderPicture(const QString &path, QSize size, qreal ratio = 1.0);

// A 32 x 32 mouse pointer drawn from a picture, with its hot spot; the
// pointing hand when the picture cannot be drawn.
QCursor PictureCursor(const QString &path, int hotX, int hotY);
