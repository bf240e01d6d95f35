// KIVO Log Viewer
#include "log/readouts.h"

#include "log/imagefile.h"
#include "log/timageline.h"
#include "log/viewgeometry.h"

#include <cstdlib>

namespace kivo {

namespace {

// value / 10^decimals with exactly that many decimals, in integers so that no binary rounding
// can shift a digit; right-aligned in at least width characters.
QString fixedPoint(qint64 value, int decimals, int width, const QLocale &locale)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    const qint64 magnitude = std::llabs(value);
    const QString text = QStringLiteral("%1%2%3%4")
                             .arg(value < 0 ? QStringLiteral("-") : QString())
                             .arg(magnitude / scale)
                             .arg(locale.decimalPoint())
                             .arg(magnitude % scale, decimals, 10, QLatin1Char('0'));
    return text.rightJustified(width, QLatin1Char(' '));
}

} // namespace

void readReadouts(ReadoutTexts &readouts, ImageFile &file, int samplesPerLine,
                  const ViewGeometry &view, qint64 position, const QLocale &locale)
{
    const auto record = view.readoutRecord(position);
    if (!record)
        return;
    file.SeekRecord(*record);
    if (const uchar *bytes = file.ReadRecordView())
        setReadouts(readouts, TImageLine(bytes, samplesPerLine), locale);
}

QString formatDepthReadout(qint32 depth, const QLocale &locale)
{
    return fixedPoint(depth, 3, 6, locale);
}

std::optional<QString> formatAngleReadout(qint16 angle)
{
    const int magnitude = std::abs(int(angle));
    if (magnitude > 180)
        return std::nullopt;
    return QString::number(90 - magnitude) + QStringLiteral(".0");
}

QString formatBearingReadout(qint16 bearing)
{
    return QString::number(std::abs(int(bearing))) + QStringLiteral(".0");
}

std::optional<QString> formatDepthMark(qint32 depth, const QString &unitSuffix,
                                       const QLocale &locale)
{
    if (depth % 100 != 0)
        return std::nullopt;
    return fixedPoint(depth / 100, 1, 5, locale) + unitSuffix;
}

QString formatDepthLabel(qint32 depth, int decimals, const QString &unitSuffix,
                         const QLocale &locale)
{
    decimals = qBound(0, decimals, 3);
    qint64 dropped = 1;
    for (int i = decimals; i < 3; ++i)
        dropped *= 10;
    const qint64 value = depth / dropped;
    if (decimals == 0)
        return QString::number(value) + unitSuffix;
    return fixedPoint(value, decimals, 0, locale) + unitSuffix;
}

void setReadouts(ReadoutTexts &readouts, const TImageLine &record, const QLocale &locale)
{
    readouts.depth = formatDepthReadout(record.Depth(), locale);
    if (const auto angle = formatAngleReadout(record.Angle()))
        readouts.angle = *angle;
    readouts.bearing = formatBearingReadout(record.Bearing());
}

} // namespace kivo
