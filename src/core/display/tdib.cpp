// KIVO Log Viewer
#include "display/tdib.h"

#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QPainter>
#include <QtEndian>

#include <cstring>
#include <limits>
#include <new>

namespace kivo {

namespace {

constexpr int infoHeaderSize = 40;
constexpr int fileHeaderSize = 14;
constexpr qint64 maxPackedSize = std::numeric_limits<qint32>::max();

qint64 rowLengthOf(qint64 width)
{
    return (24 * width + 31) / 32 * 4;
}

[[noreturn]] void failToMake()
{
    throw KivoError(QStringLiteral("%1 cannot be made").arg(QStringLiteral("Bitmap")));
}

void checkSize(qint64 width, qint64 height)
{
    if (width < 0 || height < 0 || width > maxPackedSize || height > maxPackedSize ||
        infoHeaderSize + rowLengthOf(width) * height > maxPackedSize)
        failToMake();
}

template <typename T> void putLittleEndian(char *at, T value)
{
    qToLittleEndian(value, at);
}

} // namespace

TDIB TDIB::fromImage(const QImage &image)
{
    TDIB bitmap;
    if (image.isNull())
        return bitmap;
    checkSize(image.width(), image.height());
    bitmap.m_image = image.convertToFormat(QImage::Format_BGR888);
    if (bitmap.m_image.isNull())
        failToMake();
    return bitmap;
}

void TDIB::setSize(int width, int height)
{
    checkSize(width, height);
    if (width == 0 || height == 0) {
        m_image = QImage();
        return;
    }
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull())
        failToMake();
    std::memset(image.bits(), 0, size_t(image.sizeInBytes()));
    m_image = std::move(image);
}

int TDIB::rowLength() const
{
    return int(rowLengthOf(width()));
}

QRgb TDIB::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return 0;
    return m_image.pixel(x, y);
}

void TDIB::setPixel(int x, int y, QRgb rgb)
{
    if (m_image.valid(x, y))
        m_image.setPixel(x, y, rgb);
}

QByteArray TDIB::packedDib() const
{
    const qint64 rowBytes = rowLength();
    const qint64 imageSize = rowBytes * height();
    QByteArray packed;
    try {
        packed = QByteArray(qsizetype(infoHeaderSize + imageSize), '\0');
    } catch (const std::bad_alloc &) {
        failToMake();
    }
    char *header = packed.data();
    putLittleEndian<quint32>(header, infoHeaderSize);
    putLittleEndian<qint32>(header + 4, width());
    putLittleEndian<qint32>(header + 8, height()); // positive: bottom row first
    putLittleEndian<quint16>(header + 12, 1);      // planes
    putLittleEndian<quint16>(header + 14, 24);     // bits per pixel
    putLittleEndian<quint32>(header + 16, 0);      // no compression
    putLittleEndian<quint32>(header + 20, quint32(imageSize));
    // Resolutions and colour counts stay 0, like the row padding.
    const size_t pixelBytes = size_t(width()) * 3;
    for (int y = 0; y < height(); ++y) {
        char *row = header + infoHeaderSize + (height() - 1 - y) * rowBytes;
        std::memcpy(row, m_image.constScanLine(y), pixelBytes);
    }
    return packed;
}

QByteArray TDIB::bmpFile() const
{
    const QByteArray packed = packedDib();
    QByteArray file(fileHeaderSize, '\0');
    char *header = file.data();
    header[0] = 'B';
    header[1] = 'M';
    putLittleEndian<quint32>(header + 2, quint32(fileHeaderSize + packed.size()));
    // Two reserved 16-bit fields stay 0.
    putLittleEndian<quint32>(header + 10, fileHeaderSize + infoHeaderSize);
    return file + packed;
}

void TDIB::saveBmp(const QString &path) const
{
    saveFileAtomically(path, bmpFile());
}

void TDIB::StretchDraw(QPainter &painter, const QRect &rect) const
{
    if (isEmpty() || rect.isEmpty())
        return;
    painter.save();
    // Without smooth transformation the raster engine samples the nearest source pixel, and the
    // PDF engine marks the image as not to be interpolated.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(rect, m_image);
    painter.restore();
}

} // namespace kivo
