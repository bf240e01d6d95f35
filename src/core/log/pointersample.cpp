// KIVO Log Viewer
#include "log/pointersample.h"

#include "log/imagefile.h"
#include "log/lineaverage.h"
#include "log/loglayout.h"
#include "log/readouts.h"
#include "log/timageline.h"
#include "log/viewgeometry.h"
#include "picks/sinusoid.h"

namespace kivo {

namespace {

constexpr int Columns = 720;

} // namespace

std::optional<PointerSample> pointerSample(ImageFile &file, const LogLayout &layout,
                                           const ViewGeometry &view, qint64 position, int column,
                                           int row)
{
    if (column < 0 || column >= Columns)
        return std::nullopt;
    const auto line = view.lineOnRow(position, row);
    if (!line)
        return std::nullopt;
    // The row as drawn: at a zoom the average of its records, the first record's angles.
    const ViewGeometry::Records records = view.recordsOfLine(*line);
    LineAverage average(layout.SamplesPerLine);
    file.SeekRecord(records.first, records.count);
    for (int i = 0; i < records.count; ++i) {
        const uchar *bytes = file.ReadRecordView();
        if (!bytes)
            break;
        average.add(TImageLine(bytes, layout.SamplesPerLine));
    }
    if (average.count() == 0)
        return std::nullopt;
    const TImageLine shown = average.line();
    const qint64 sample = qint64(column) * layout.SamplesPerLine / Columns;
    const uchar *rgb = shown.Samples() + 3 * sample;
    return PointerSample{records.first, average.meanDepth(), columnAzimuth(column), rgb[0], rgb[1],
                         rgb[2],        shown.Angle(),       shown.Bearing()};
}

QString pointerText(const PointerSample &sample, const QString &unitSuffix)
{
    const QString angle = formatAngleReadout(sample.angle).value_or(QStringLiteral("-"));
    return QStringLiteral("Depth %1 %2   Azimuth %3%4   RGB %5 %6 %7   Angle %8   Bearing %9")
        .arg(sample.depth / 1000.0, 0, 'f', 3)
        .arg(unitSuffix)
        .arg(sample.azimuth, 0, 'f', 1)
        .arg(QChar(0x00B0))
        .arg(sample.red)
        .arg(sample.green)
        .arg(sample.blue)
        .arg(angle.trimmed(), formatBearingReadout(sample.bearing).trimmed());
}

} // namespace kivo
