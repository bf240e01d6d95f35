// KIVO Log Viewer
#include "pixelcompare.h"

#include "display/surface.h"

namespace kivo::test {

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    // Equal images of one format are the common case, and QImage compares them fast.
    if (actual == expected)
        return {};
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

QRgb patternPixel(int x, int y)
{
    return 0xFF000000u | ((quint32(x) * 2654435761u + quint32(y) * 40503u) & 0xFFFFFFu);
}

void fillPattern(TDirectDrawSurface &surface, int salt)
{
    for (int y = 0; y < surface.Height(); ++y) {
        quint32 *row = surface.scanLine(y);
        for (int x = 0; x < surface.Width(); ++x)
            row[x] = patternPixel(x + salt, y);
    }
    surface.Canvas().ReleaseCanvas();
}

} // namespace kivo::test
