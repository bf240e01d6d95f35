// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>
#include <unordered_map>

namespace kivo {

class ImageFile;

// Records first..last of a data file, both included; empty when last < first.
struct RecordSpan {
    qint64 first = 0;
    qint64 last = -1;

    bool isEmpty() const { return last < first; }
    qint64 size() const { return isEmpty() ? 0 : last - first + 1; }
};

// Finds records by depth, by bisection, so that a search reads about log2(records) records in a
// log of any size: the record nearest a depth (ties: the lower record number) and the records
// between two depths. A log runs one way in depth, growing with the record number (recorded
// going down) or shrinking (going up); which way is read from the first and last records, so
// that the depths, not the header's log mode, decide which record is the shallowest. The depths,
// angles and bearings it reads are kept, so that many look-ups in one file share the upper levels
// of their searches.
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
    // The records whose depths lie in [shallow, deep] (thousandths, shallow <= deep). Throws
    // KivoError when the file cannot be read.
    RecordSpan span(qint64 shallow, qint64 deep);
    // Record n's fields; throws KivoError when the file no longer holds it.
    const Entry &entry(qint64 record);
    // The records of the file, and whether their depths grow with the record number (also for
    // fewer than two records).
    qint64 count();
    bool ascending();

private:
    static constexpr size_t MaxCached = 1 << 20;

    // The first record whose depth is at or past the target down the file's direction
    // (orBeyond false), or past it (true).
    qint64 firstAtOrPast(qint64 target, bool orBeyond = false);

    ImageFile &m_file;
    int m_samplesPerLine;
    qint64 m_count = -1; // the cache holds records of a file of this many
    std::unordered_map<qint64, Entry> m_cache;
};

} // namespace kivo
