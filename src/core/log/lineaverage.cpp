// KIVO Log Viewer
#include "log/lineaverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kivo {

LineAverage::LineAverage(int samplesPerLine)
    : m_samples(samplesPerLine)
    , m_sums(size_t(3 * samplesPerLine))
    , m_record(size_t(TImageLine::recordSize(samplesPerLine)))
{}

void LineAverage::clear()
{
    m_count = 0;
    std::fill(m_sums.begin(), m_sums.end(), 0u);
}

void LineAverage::add(const TImageLine &record)
{
    const qint32 depth = record.Depth();
    if (m_count == 0) {
        TImageLine::writeFields(m_record.data(), m_samples, depth, record.Bearing(),
                                record.Angle());
        m_depthSum = 0;
        m_minDepth = m_maxDepth = depth;
    }
    const uchar *samples = record.Samples();
    for (size_t i = 0; i < m_sums.size(); ++i)
        m_sums[i] += samples[i];
    m_depthSum += depth;
    m_minDepth = std::min(m_minDepth, depth);
    m_maxDepth = std::max(m_maxDepth, depth);
    ++m_count;
}

TImageLine LineAverage::line()
{
    Q_ASSERT(m_count > 0);
    if (m_meansOf != m_count) {
        const quint32 n = quint32(m_count);
        m_means.resize(255 * n + 1);
        for (quint32 sum = 0; sum < m_means.size(); ++sum)
            m_means[sum] = uchar((2 * sum + n) / (2 * n));
        m_meansOf = m_count;
    }
    uchar *out = m_record.data() + TImageLine::SamplesOffset;
    for (size_t i = 0; i < m_sums.size(); ++i)
        out[i] = m_means[m_sums[i]];
    return TImageLine(m_record.data(), m_samples);
}

qint32 LineAverage::meanDepth() const
{
    return kivo::meanDepth(m_depthSum, m_count);
}

qint32 meanDepth(qint64 sum, int count)
{
    return qint32(std::llround(double(sum) / count));
}

} // namespace kivo
