#pragma once
// The program's pictures are SVG files compiled in under ":/pictures/"; these
// draw them at the size a control needs.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// Draws an SVG picture stretched to the given size (in device-independent
// pixels, at the given device pixel ratio); an empty pixmap when the picture
// cannot be drawn.
QPixmap RenderPicture(const QString &path, QSize size, qreal ratio = 1.0);

// An icon of side x side pixels with the picture drawn in its own
// proportions in the middle, at one and two device pixels per pixel: a
// wide picture (a flag) then takes the room of a square toolbar icon and
// its button's caption stays in line with the other buttons' captions.
QIcon SquareIcon(const QString &path, int side);

// A 32 x 32 mouse pointer drawn from a picture, with its hot spot; the
// pointing hand when the picture cannot be drawn.
QCursor PictureCursor(const QString &path, int hotX, int hotY);
