// KIVO Log Viewer
#pragma once

#include "log/depthindex.h"

#include <QtGlobal>

#include <optional>

namespace kivo {

class ImageFile;

// The borehole's direction at one record.
struct HoleOrientation {
    qint64 record = -1;
    std::optional<double> deviation; // degrees from vertical, 0 to 180 (upward holes past 90)
    double azimuth = 0.0;            // degrees clockwise from North, [0, 360)
};

// From a record's Angle and Bearing (whole degrees): deviation |Angle| while it is at most 180,
// otherwise none; azimuth |Bearing| mod 360.
HoleOrientation holeOrientation(qint64 record, qint16 angle, qint16 bearing);

// The hole's orientation at the record nearest a depth (see DepthIndex).
class OrientationLookup {
public:
    OrientationLookup(ImageFile &file, int samplesPerLine);

    // nullopt for a file without records. Throws KivoError when the file cannot be read.
    std::optional<HoleOrientation> at(double depth);

private:
    DepthIndex m_index;
};

} // namespace kivo
