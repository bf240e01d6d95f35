// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QString>

namespace kivo::test {

// What libtiff reads from an RGB TIFF file: its pixels (null when it cannot be read), its
// compression tag and whether it is a BigTIFF.
struct TiffImage {
    QImage image;
    int compression = 0;
    bool bigTiff = false;
};

TiffImage readTiff(const QString &path);

} // namespace kivo::test
