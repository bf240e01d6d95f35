// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// A rectangle of pixels as the canvas takes it: x from Left to Right - 1, y from Top to
// Bottom - 1 (right and bottom exclusive). A rectangle with Right <= Left or Bottom <= Top
// holds no pixels; it is never turned round.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    // In 64 bits, so that no pair of 32-bit edges overflows.
    qint64 width() const { return qint64(Right) - Left; }
    qint64 height() const { return qint64(Bottom) - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
};

} // namespace kivo
