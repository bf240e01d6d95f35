// KIVO Log Viewer
#include "header/sheetlogo.h"

#include "header/sheetlayout.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <array>

namespace kivo {

namespace {

// Black lies nearer than white when r² + g² + b² < (255 - r)² + (255 - g)² + (255 - b)², that is
// when r + g + b < 382.5.
QRgb nearerOfBlackAndWhite(QRgb colour)
{
    return qRed(colour) + qGreen(colour) + qBlue(colour) <= 382 ? qRgb(0, 0, 0)
                                                                : qRgb(255, 255, 255);
}

// Qt reads what there is of a cut-off bitmap and leaves the missing rows black; a logo whose
// file does not hold all its pixel rows is as unreadable as a missing one. The length is known
// for uncompressed bitmaps with a Windows information header (40 bytes or more); the others are
// left to the reader.
bool truncatedBitmap(QFile &file)
{
    std::array<char, 34> head{}; // file header and information header up to the compression
    if (file.peek(head.data(), qint64(head.size())) < qint64(head.size()))
        return false;
    const auto u32 = [&head](int offset) {
        return qFromLittleEndian<quint32>(head.data() + offset);
    };
    const auto i32 = [&head](int offset) {
        return qFromLittleEndian<qint32>(head.data() + offset);
    };
    const quint32 compression = u32(30);
    if (u32(14) < 40 || (compression != 0 && compression != 3))
        return false;
    const qint64 bits = qFromLittleEndian<quint16>(head.data() + 28);
    const qint64 rowBytes = (bits * qAbs(qint64(i32(18))) + 31) / 32 * 4;
    const qint64 rows = qAbs(qint64(i32(22)));
    const qint64 available = file.size() - qint64(u32(10)); // bytes from the first pixel row
    // Divided rather than multiplied: the header's sizes may be anything.
    return available < 0 || (rowBytes > 0 && rows > available / rowBytes);
}

} // namespace

QImage loadSheetLogo(const QString &path)
{
    if (path.isEmpty())
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || truncatedBitmap(file))
        return QImage();
    // The name says BMP: a file of another format under it is not a logo.
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

void copySheetLogo(const QImage &logo, QImage &sheet)
{
    Q_ASSERT(sheet.depth() == 32);
    const int columns = qMin(logo.width(), sheet::LogoColumns);
    const int rows = qMin(logo.height(), sheet::LogoRows);
    for (int y = 0; y < rows; ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y + sheet::LogoTop));
        for (int x = 0; x < columns; ++x)
            line[x + sheet::LogoLeft] = nearerOfBlackAndWhite(logo.pixel(x, y));
    }
}

} // namespace kivo
