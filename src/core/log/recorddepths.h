// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

class ImageFile;

// Records first..last of a data file, both included; empty when last < first.
struct RecordSpan {
    qint64 first = 0;
    qint64 last = -1;

    bool isEmpty() const { return last < first; }
    qint64 size() const { return isEmpty() ? 0 : last - first + 1; }
};

// The depths of a data file's records, read when asked. A log runs one way in depth, growing
// with the record number (recorded going down) or shrinking (going up); which way is read from
// the first and last records, so that the depths, not the header's log mode, decide which
// record is the shallowest.
class RecordDepths {
public:
    // Throws KivoError when the file cannot be read.
    explicit RecordDepths(ImageFile &file);

    qint64 count() const { return m_count; }
    // True when the depths grow with the record number (also for fewer than two records).
    bool ascending() const { return m_ascending; }
    // The depth of record n (0 <= n < count()) in thousandths of the depth unit. Throws KivoError
    // when the file no longer holds it.
    qint32 depth(qint64 n);
    // The records whose depths lie in [shallow, deep] (thousandths, shallow <= deep), found by
    // bisection in O(log count) reads.
    RecordSpan span(qint64 shallow, qint64 deep);

private:
    // The depth turned into a key that never falls with the record number.
    qint64 key(qint64 n) { return m_ascending ? depth(n) : -qint64(depth(n)); }
    // The first record whose key is at least (orAbove false) or above (true) the value.
    qint64 bound(qint64 value, bool orAbove);

    ImageFile &m_file;
    qint64 m_count = 0;
    bool m_ascending = true;
};

} // namespace kivo
