// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>
#include <unordered_map>

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

// Finds the record whose depth is nearest a given depth (ties: the lower record number) by
// bisection, taking the records' depths as monotonic, rising or falling. The depths it reads
// are kept, so that many look-ups in one file share the upper levels of their searches.
class OrientationLookup {
public:
    OrientationLookup(ImageFile &file, int samplesPerLine);

    // nullopt for a file without records. Throws KivoError when the file cannot be read.
    std::optional<HoleOrientation> at(double depth);

private:
    struct Sample {
        qint32 depth; // thousandths of the unit
        qint16 angle;
        qint16 bearing;
    };
    static constexpr size_t MaxCached = 1 << 20;

    const Sample &sample(qint64 record);
    qint64 firstAtOrPast(qint32 target, bool rising);

    ImageFile &m_file;
    int m_samplesPerLine;
    qint64 m_count = -1; // the cache holds records of a file of this many
    std::unordered_map<qint64, Sample> m_cache;
};

} // namespace kivo
