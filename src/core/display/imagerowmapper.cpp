// KIVO Log Viewer
#include "display/imagerowmapper.h"

#include <cstring>

namespace kivo {

ImageRowMapper::ImageRowMapper(int samplesPerLine, const TColourMap &colours)
    : m_sampleOfColumn(Columns)
{
    Q_ASSERT(samplesPerLine > 0);
    for (int j = 0; j < Columns; ++j)
        m_sampleOfColumn[size_t(j)] = int(qint64(j) * samplesPerLine / Columns) * 3;
    // The three tables hold the same mapped value for every byte, each in its own bits.
    bool neutral = true;
    for (int i = 0; i < 256; ++i) {
        m_table[size_t(i)] = colours.mapped(i);
        neutral = neutral && m_table[size_t(i)] == i;
    }
    m_identity = neutral && samplesPerLine == Columns;
}

void ImageRowMapper::map(const uchar *samples, uchar *rgb) const
{
    if (m_identity) {
        std::memcpy(rgb, samples, RowBytes);
        return;
    }
    for (int j = 0; j < Columns; ++j, rgb += 3) {
        const uchar *sample = samples + m_sampleOfColumn[size_t(j)];
        rgb[0] = m_table[sample[0]];
        rgb[1] = m_table[sample[1]];
        rgb[2] = m_table[sample[2]];
    }
}

} // namespace kivo
