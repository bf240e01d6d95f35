// KIVO Log Viewer
#include "referenceview.h"

#include "display/fullview.h"
#include "header/headerio.h"
#include "log/imagefile.h"
#include "log/logopener.h"

namespace kivo::test {

TColourMap neutralColours()
{
    TColourMap map;
    BuildColourMap(map);
    return map;
}

QImage referenceView(const QString &dataPath, int rows, qint64 position, const TColourMap &colours,
                     int zoom)
{
    uniheader header;
    ResetHeader(header);
    const LogHeaderCheck check = checkLogHeader(dataPath, header, 0, 0);
    if (!check.accepted())
        return QImage();
    ImageFile file;
    file.OpenImageFile(dataPath, check.layout.recordSize());
    const ViewGeometry view{file.RecordCount(), rows, check.layout.LogDirection, zoom};
    return fullViewPicture(file, check.layout, view, position, colours)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace kivo::test
