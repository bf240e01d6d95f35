// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>
#include <unordered_map>

namespace kivo {

class ImageFile;

// Finds records by depth: the record whose depth is nearest a given depth (ties: the lower
// record number) by bisection, taking the records' depths as monotonic, rising or falling, so
// that a search reads about log2(records) records in a log of any size. The depths, angles and
// bearings it reads are kept, so that many look-ups in one file share the upper levels of their
// searches.
class DepthIndex {
public:
    struct Entry {
        qint32 depth; // thousandths of the unit
        qint16 angle;
        qint16 bearing;
    };

    DepthIndex(ImageFile &file, int samplesPerLine);

    // The record nearest the depth (in the log's unit); nullopt for a file without records or
    // a depth that is no number. Throws KivoError when the file cannot be read.
    std::optional<qint64> nearest(double depth);
    // Record n's fields; throws KivoError when the file no longer holds it.
    const Entry &entry(qint64 record);

private:
    static constexpr size_t MaxCached = 1 << 20;

    qint64 firstAtOrPast(qint32 target, bool rising);

    ImageFile &m_file;
    int m_samplesPerLine;
    qint64 m_count = -1; // the cache holds records of a file of this many
    std::unordered_map<qint64, Entry> m_cache;
};

} // namespace kivo
