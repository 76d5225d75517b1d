#pragma once
// Places given in twips become pixels at 15 twips to a pixel.

#include <QRect>

constexpr int twips(int t) { return t / 15; }
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
