// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QRect>

namespace kivo::test {

// The smallest rectangle holding every pixel of the area whose colour `marked` accepts; empty
// when there is none.
template <typename Marked> QRect boundsWhere(const QImage &image, const QRect &area, Marked marked)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (marked(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline bool isBlack(const QImage &image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

// The bounds of the pixels darker than mid grey: black ink, and the body of text drawn with
// antialiasing.
inline QRect darkBounds(const QImage &image, const QRect &area)
{
    return boundsWhere(image, area, [](QRgb pixel) { return qGray(pixel) < 128; });
}

} // namespace kivo::test
