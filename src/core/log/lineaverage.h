// KIVO Log Viewer
#pragma once

#include "log/timageline.h"

#include <QtGlobal>

#include <vector>

namespace kivo {

// One line of a zoomed view built from its records: each sample channel the average of the
// records' (rounded to the nearest, halves up), the depth, bearing and angle those of the first
// record. The mean and the extent of the records' depths go with it: the mean is where the
// line stands in depth (picking), the extent which depth marks fall on it.
class LineAverage {
public:
    explicit LineAverage(int samplesPerLine);

    void clear();
    void add(const TImageLine &record);
    int count() const { return m_count; }

    // The averaged record, valid until the next add or clear; needs count() > 0.
    TImageLine line();
    // The records' mean depth (thousandths, rounded to the nearest) and their extent.
    qint32 meanDepth() const;
    qint32 minDepth() const { return m_minDepth; }
    qint32 maxDepth() const { return m_maxDepth; }

private:
    int m_samples;
    int m_count = 0;
    std::vector<quint32> m_sums;
    std::vector<uchar> m_record;
    // The rounded mean of every sum of m_meansOf bytes: a look-up instead of a division for
    // each channel.
    std::vector<uchar> m_means;
    int m_meansOf = 0;
    qint64 m_depthSum = 0;
    qint32 m_minDepth = 0;
    qint32 m_maxDepth = 0;
};

// The mean of `count` depths (thousandths) adding up to `sum`, rounded to the nearest: where a
// line of a zoomed view stands in depth.
qint32 meanDepth(qint64 sum, int count);

} // namespace kivo
