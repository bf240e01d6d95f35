// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QString>

namespace kivo {
class TDirectDrawSurface;
}

namespace kivo::test {

// Empty when both images have the same size and the same colour at every pixel (alpha and
// pixel format aside), otherwise a description of the first difference, for QCOMPARE with
// QString() so that a failure shows where and what.
QString firstDifference(const QImage &actual, const QImage &expected);

// A colour that differs from pixel to pixel, so that any misplaced copy shows.
QRgb patternPixel(int x, int y);

// Fills the surface with patternPixel(x + salt, y) through its rows, then releases the canvas.
void fillPattern(TDirectDrawSurface &surface, int salt = 0);

} // namespace kivo::test
