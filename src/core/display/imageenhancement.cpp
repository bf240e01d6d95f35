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
{}

void StripEnhancer::prepare(const ImageEnhancement &enhancement, ImageFile &file, qint64 first,
                            qint64 last)
{
    m_enhancement = &enhancement;
    m_first = first;
    m_gains.clear();
    if (enhancement.normalisation != Normalisation::Dynamic || last < first)
        return;
    const qint64 count = file.RecordCount();
    const int w = qMax(1, enhancement.windowRecords);
    const qint64 from = windowOfRecord(first, w, count).first;
    const qint64 to = windowOfRecord(qMin(last, count - 1), w, count).second;
    // One luminance histogram per record read, then the window's sum slides over them.
    m_histograms.assign(size_t(qMax<qint64>(0, to - from + 1)), LuminanceHistogram{});
    file.SeekRecord(from, to - from + 1);
    qint64 read = 0;
    for (; read < qint64(m_histograms.size()); ++read) {
        const uchar *bytes = file.ReadRecordView();
        if (!bytes)
            break;
        addLuminances(m_histograms[size_t(read)], bytes + TImageLine::SamplesOffset, m_samples,
                      HistogramStride);
    }
    const qint64 known = from + read; // records from..known-1 were read
    LuminanceHistogram window{};
    qint64 windowFrom = from;
    qint64 windowTo = from - 1;
    m_gains.reserve(size_t(last - first + 1));
    for (qint64 k = first; k <= last && k < known; ++k) {
        const auto [lo, hi] = windowOfRecord(k, w, known);
        for (; windowTo < hi; ++windowTo)
            for (size_t v = 0; v < 256; ++v)
                window[v] += m_histograms[size_t(windowTo + 1 - from)][v];
        for (; windowFrom < lo; ++windowFrom)
            for (size_t v = 0; v < 256; ++v)
                window[v] -= m_histograms[size_t(windowFrom - from)][v];
        m_gains.push_back(equalisationGains(window));
    }
}

const uchar *StripEnhancer::enhance(const uchar *record, qint64 k)
{
    const ImageEnhancement &enhancement = *m_enhancement;
    const qint64 size = TImageLine::recordSize(m_samples);
    m_record.resize(size);
    uchar *bytes = reinterpret_cast<uchar *>(m_record.data());
    std::memcpy(bytes, record, size_t(size));
    uchar *samples = bytes + TImageLine::SamplesOffset;
    if (enhancement.normalisation == Normalisation::Static && enhancement.staticTables)
        applyChannelTables(*enhancement.staticTables, samples, m_samples);
    const qint64 index = k - m_first;
    if (enhancement.normalisation == Normalisation::Dynamic && index >= 0 &&
        index < qint64(m_gains.size()))
        applyLuminanceGains(m_gains[size_t(index)], samples, m_samples);
    if (enhancement.greyScale)
        toGreyScale(samples, m_samples);
    return bytes;
}

} // namespace kivo
