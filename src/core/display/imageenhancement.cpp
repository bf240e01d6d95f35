// KIVO Log Viewer
#include "display/imageenhancement.h"

#include "log/imagefile.h"
#include "log/timageline.h"

#include <cmath>
#include <cstring>

namespace kivo {

namespace {

// The window's histogram counts every fourth sample of each record: a window holds tens of
// thousands of them, plenty for its distribution, at a quarter of the cost.
constexpr int HistogramStride = 4;

} // namespace

bool ImageEnhancement::changesSamples() const
{
    return greyScale || normalisation == Normalisation::Dynamic ||
           (normalisation == Normalisation::Static && staticTables);
}

int windowRecordsFor(double metres, double spacing, int depthUnit)
{
    const double length = depthUnit == 0 ? metres : metres / 0.3048;
    if (!(spacing > 0) || !std::isfinite(spacing))
        return 1;
    return int(qBound(1.0, std::round(length / spacing), double(MaxWindowRecords)));
}

std::pair<qint64, qint64> windowOfRecord(qint64 k, int w, qint64 count)
{
    const qint64 first = qMax<qint64>(0, k - (w - 1) / 2);
    const qint64 last = qMin<qint64>(count - 1, k + w / 2);
    return {first, last};
}

StripEnhancer::StripEnhancer(int samplesPerLine)
    : m_samples(samplesPerLine)
    , m_perRecord((samplesPerLine + HistogramStride - 1) / HistogramStride)
{}

void StripEnhancer::prepare(const ImageEnhancement &enhancement, ImageFile &file, qint64 first,
                            qint64 last)
{
    m_enhancement = &enhancement;
    m_first = first;
    m_last = last;
    m_known = first;
    const qint64 records = last - first + 1;
    // The windows' records include first..last, so when they were read in one go the pass
    // draws from those bytes instead of reading its records a second time.
    if (enhancement.normalisation == Normalisation::Dynamic && records > 0) {
        readLuminances(file, first, last);
        if (file.SeekRecordInBuffer(first, records))
            return;
    }
    file.SeekRecord(first, records);
}

void StripEnhancer::readLuminances(ImageFile &file, qint64 first, qint64 last)
{
    const qint64 count = file.RecordCount();
    const int w = qMax(1, m_enhancement->windowRecords);
    m_from = windowOfRecord(first, w, count).first;
    const qint64 to = windowOfRecord(qMin(last, count - 1), w, count).second;
    const qint64 records = qMax<qint64>(0, to - m_from + 1);
    m_luminances.resize(size_t(records * m_perRecord));
    file.SeekRecord(m_from, records);
    qint64 read = 0;
    for (; read < records; ++read) {
        const uchar *bytes = file.ReadRecordView();
        if (!bytes)
            break;
        luminancesOf(bytes + TImageLine::SamplesOffset, m_samples, HistogramStride,
                     &m_luminances[size_t(read * m_perRecord)]);
    }
    m_known = m_from + read;
    m_window.fill(0);
    m_windowFrom = m_from;
    m_windowTo = m_from - 1;
    m_gainsOf = -1;
}

const LuminanceGains &StripEnhancer::gainsOf(qint64 k)
{
    if (k == m_gainsOf)
        return m_gains;
    const auto [lo, hi] = windowOfRecord(k, qMax(1, m_enhancement->windowRecords), m_known);
    // A pass going down the records moves the window on by a record at a time; a step back
    // counts it afresh.
    if (lo < m_windowFrom || hi < m_windowTo) {
        m_window.fill(0);
        m_windowFrom = lo;
        m_windowTo = lo - 1;
    }
    const auto luminances = [this](qint64 record) {
        return &m_luminances[size_t((record - m_from) * m_perRecord)];
    };
    for (; m_windowTo < hi; ++m_windowTo)
        addLuminances(m_window, luminances(m_windowTo + 1), m_perRecord);
    for (; m_windowFrom < lo; ++m_windowFrom)
        removeLuminances(m_window, luminances(m_windowFrom), m_perRecord);
    m_gains = equalisationGains(m_window);
    m_gainsOf = k;
    return m_gains;
}

const uchar *StripEnhancer::enhance(const uchar *record, qint64 k)
{
    const ImageEnhancement &enhancement = *m_enhancement;
    const qint64 size = TImageLine::recordSize(m_samples);
    m_record.resize(size);
    uchar *bytes = reinterpret_cast<uchar *>(m_record.data());
    uchar *samples = bytes + TImageLine::SamplesOffset;
    // The gains take the samples straight from the record; otherwise they are changed in the copy.
    const bool dynamic = enhancement.normalisation == Normalisation::Dynamic && k >= m_first &&
                         k <= m_last && k < m_known;
    std::memcpy(bytes, record, size_t(dynamic ? TImageLine::SamplesOffset : size));
    if (dynamic)
        applyLuminanceGains(gainsOf(k), record + TImageLine::SamplesOffset, samples, m_samples);
    if (enhancement.normalisation == Normalisation::Static && enhancement.staticTables)
        applyChannelTables(*enhancement.staticTables, samples, m_samples);
    if (enhancement.greyScale)
        toGreyScale(samples, m_samples);
    return bytes;
}

} // namespace kivo
