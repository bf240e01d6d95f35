// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QString>

namespace kivo::test {

// Empty when both images have the same size and the same colour at every pixel (alpha and
// pixel format aside), otherwise a description of the first difference, for QCOMPARE with
// QString() so that a failure shows where and what.
inline QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y) & 0xFFFFFF;
            const QRgb e = expected.pixel(x, y) & 0xFFFFFF;
            if (a != e)
                return QStringLiteral("pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(a, 6, 16, QLatin1Char('0'))
                    .arg(e, 6, 16, QLatin1Char('0'));
        }
    }
    return {};
}

// A colour that differs from pixel to pixel, so that any misplaced copy shows.
inline QRgb patternPixel(int x, int y)
{
    return 0xFF000000u | ((quint32(x) * 2654435761u + quint32(y) * 40503u) & 0xFFFFFFu);
}

} // namespace kivo::test
