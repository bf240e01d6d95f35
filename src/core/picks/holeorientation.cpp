// KIVO Log Viewer
#include "picks/holeorientation.h"

#include <cstdlib>

namespace kivo {

HoleOrientation holeOrientation(qint64 record, qint16 angle, qint16 bearing)
{
    HoleOrientation hole;
    hole.record = record;
    const int deviation = std::abs(int(angle));
    if (deviation <= 180)
        hole.deviation = double(deviation);
    hole.azimuth = double(std::abs(int(bearing)) % 360);
    return hole;
}

OrientationLookup::OrientationLookup(ImageFile &file, int samplesPerLine)
    : m_index(file, samplesPerLine)
{}

std::optional<HoleOrientation> OrientationLookup::at(double depth)
{
    const auto record = m_index.nearest(depth);
    if (!record)
        return std::nullopt;
    const DepthIndex::Entry &entry = m_index.entry(*record);
    return holeOrientation(*record, entry.angle, entry.bearing);
}

} // namespace kivo
