// KIVO Log Viewer
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace kivo {

class ImageFile;
struct LogLayout;
struct ViewGeometry;

// What lies under the pointer on the image: the record on its row and the sample of its column
// (column j shows sample j * N / 720, as drawn). At a zoom the row's first record, the mean
// depth of its records (the depth a click picks) and the sample as drawn, their average.
struct PointerSample {
    qint64 record = 0;
    qint32 depth = 0; // thousandths of the unit
    double azimuth = 0.0;
    quint8 red = 0, green = 0, blue = 0;
    qint16 angle = 0;
    qint16 bearing = 0;
};

// The sample at image column (0..719) and view row, or nullopt where the row shows no record
// or the column is off the image. Throws KivoError when the file cannot be read.
std::optional<PointerSample> pointerSample(ImageFile &file, const LogLayout &layout,
                                           const ViewGeometry &view, qint64 position, int column,
                                           int row);

// "Depth 12.345 m   Azimuth 123.8°   RGB 12 34 56   Angle 87.0   Bearing 117.0", the angle
// and bearing as the readouts show them.
QString pointerText(const PointerSample &sample, const QString &unitSuffix);

} // namespace kivo
