// KIVO Log Viewer
#include "log/depthsearch.h"

#include "log/imagefile.h"

#include <QtEndian>

#include <cmath>

namespace kivo {

std::optional<qint32> recordDepth(ImageFile &file, qint64 n)
{
    file.SeekRecord(n);
    const uchar *record = file.ReadRecordView();
    if (!record)
        return std::nullopt;
    return qFromLittleEndian<qint32>(record);
}

std::optional<qint64> recordNearestDepth(ImageFile &file, double depth)
{
    const qint64 count = file.RecordCount();
    if (count <= 0)
        return std::nullopt;
    const auto first = recordDepth(file, 0);
    const auto last = recordDepth(file, count - 1);
    if (!first || !last)
        return std::nullopt;
    const bool increasing = *last >= *first;
    // The first record at or past the depth in the file's order: lo..hi holds it.
    qint64 lo = 0;
    qint64 hi = count - 1;
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        const auto at = recordDepth(file, mid);
        if (!at) // the file shrank under us: search what is left
            return recordNearestDepth(file, depth);
        const bool before = increasing ? *at < depth : *at > depth;
        if (before)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0)
        return 0;
    const auto here = recordDepth(file, lo);
    const auto previous = recordDepth(file, lo - 1);
    if (!here || !previous)
        return recordNearestDepth(file, depth);
    return std::abs(*previous - depth) <= std::abs(*here - depth) ? lo - 1 : lo;
}

} // namespace kivo
