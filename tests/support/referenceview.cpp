// KIVO Log Viewer
#include "referenceview.h"

#include "app/imagefile.h"
#include "app/logopener.h"
#include "app/logview.h"
#include "app/striprenderer.h"
#include "display/displayarea.h"
#include "header/headerio.h"

namespace kivo::test {

TColourMap neutralColours()
{
    TColourMap map;
    BuildColourMap(map);
    return map;
}

QImage referenceView(const QString &dataPath, int width, int rows, qint64 position,
                     const TColourMap &colours)
{
    uniheader header;
    ResetHeader(header);
    const LogHeaderCheck check = checkLogHeader(dataPath, header, 0, 0);
    if (!check.accepted())
        return QImage();
    ImageFile file;
    file.OpenImageFile(dataPath, check.layout.recordSize());
    DisplayArea area;
    area.setSize(width, rows);
    area.Initialize();
    StripRenderer::PrepareSurfaceA(*area.Surface());
    StripRenderer::PrepareSurfaceB(*area.Surface());
    LogView view(area, file, colours, check.layout);
    view.setGeometry({file.RecordCount(), rows, check.layout.LogDirection});
    view.fullPass(position);
    return area.Surface()->image().copy();
}

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if ((actual.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF)) {
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
            }
        }
    }
    return QString();
}

} // namespace kivo::test
