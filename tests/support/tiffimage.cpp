// KIVO Log Viewer
#include "tiffimage.h"

#include <QFile>
#include <QtDebug>

#include <tiffio.h>

namespace kivo::test {

TiffImage readTiff(const QString &path)
{
    TiffImage result;
    TIFF *tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff)
        return result;
    quint32 width = 0;
    quint32 height = 0;
    quint16 samples = 0;
    quint16 bits = 0;
    quint16 compression = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    result.compression = compression;
    result.bigTiff = TIFFIsBigTIFF(tiff);
    if (samples == 3 && bits == 8 && width > 0) {
        QImage image(int(width), int(height), QImage::Format_RGB888);
        bool complete = true;
        for (quint32 y = 0; y < height && complete; ++y)
            complete = TIFFReadScanline(tiff, image.scanLine(int(y)), y, 0) == 1;
        if (complete)
            result.image = image;
    } else {
        qWarning() << path << "is not 8-bit RGB:" << samples << bits;
    }
    TIFFClose(tiff);
    return result;
}

} // namespace kivo::test
