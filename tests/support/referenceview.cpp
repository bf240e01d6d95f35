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

} // namespace kivo::test
