// KIVO Log Viewer
#include "log/depthindex.h"

#include "kivoerror.h"
#include "log/imagefile.h"
#include "log/timageline.h"

#include <QDir>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr double TieMargin = 1e-6; // thousandths of the unit

} // namespace

DepthIndex::DepthIndex(ImageFile &file, int samplesPerLine)
    : m_file(file)
    , m_samplesPerLine(samplesPerLine)
{}

const DepthIndex::Entry &DepthIndex::entry(qint64 record)
{
    const auto found = m_cache.find(record);
    if (found != m_cache.end())
        return found->second;
    m_file.SeekRecord(record);
    const uchar *bytes = m_file.ReadRecordView();
    if (!bytes) // the file shrank under us
        throw KivoError(QStringLiteral("%1: record %2 can no longer be read")
                            .arg(QDir::toNativeSeparators(m_file.path()))
                            .arg(record));
    const TImageLine line(bytes, m_samplesPerLine);
    return m_cache.emplace(record, Entry{line.Depth(), line.Angle(), line.Bearing()}).first->second;
}

qint64 DepthIndex::count()
{
    const qint64 records = m_file.RecordCount();
    if (records != m_count || m_cache.size() > MaxCached) {
        m_cache.clear(); // a file that grew or shrank: its records may have moved
        m_count = records;
    }
    return m_count;
}

bool DepthIndex::ascending()
{
    const qint64 records = count();
    return records < 2 || entry(records - 1).depth >= entry(0).depth;
}

qint64 DepthIndex::firstAtOrPast(qint64 target, bool orBeyond)
{
    const bool rising = ascending();
    // Depths turned into keys that never fall with the record number.
    const qint64 key = rising ? target : -target;
    qint64 low = 0;
    qint64 high = count();
    while (low < high) {
        const qint64 mid = low + (high - low) / 2;
        const qint64 k = rising ? entry(mid).depth : -qint64(entry(mid).depth);
        if (orBeyond ? k <= key : k < key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

RecordSpan DepthIndex::span(qint64 shallow, qint64 deep)
{
    if (ascending())
        return {firstAtOrPast(shallow), firstAtOrPast(deep, true) - 1};
    return {firstAtOrPast(deep), firstAtOrPast(shallow, true) - 1};
}

std::optional<qint64> DepthIndex::nearest(double depth)
{
    const qint64 records = count();
    if (records == 0 || !std::isfinite(depth))
        return std::nullopt;
    const bool rising = ascending();
    // Depths are whole thousandths: the nearest record is the first at or past the depth
    // rounded up (in the file's direction), or the record before it.
    const double target = std::clamp(depth * 1000.0, -2147483648.0, 2147483647.0);
    const qint64 next = firstAtOrPast(qint64(rising ? std::ceil(target) : std::floor(target)));
    qint64 best = std::min(next, records - 1);
    if (next > 0) {
        const double before = std::abs(entry(next - 1).depth - target);
        const double after = next < records ? std::abs(entry(next).depth - target) : before;
        // On a tie, and among records of equal depth, the lower record number. A depth given in
        // decimals ties within a rounding error of its binary value.
        if (before <= after + TieMargin)
            best = firstAtOrPast(entry(next - 1).depth);
    }
    return best;
}

} // namespace kivo
