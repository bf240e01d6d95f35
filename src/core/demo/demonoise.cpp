// KIVO Log Viewer
#include "demo/demonoise.h"

#include <cmath>

namespace kivo {

namespace {

float smoothstep(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float unitHash(qint64 x, qint64 y, quint32 seed)
{
    // Mixes the lattice point and the seed, then a 32-bit finaliser spreads every input bit
    // over the result.
    quint32 h = quint32(x) * 0x8da6b343u ^ quint32(y) * 0xd8163841u ^ (seed + 1u) * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return float(h >> 8) * (1.0f / 16777216.0f);
}

float smoothNoise(double position, quint32 seed)
{
    const double cell = std::floor(position);
    const float t = smoothstep(float(position - cell));
    const auto i = qint64(cell);
    const float a = unitHash(i, 0, seed);
    return a + (unitHash(i + 1, 0, seed) - a) * t;
}

DemoNoise::DemoNoise(int width, int cellWidth, int cellHeight, quint32 seed)
    : m_width(width)
    , m_cells(width / cellWidth)
    , m_cellHeight(cellHeight)
    , m_seed(seed)
    , m_cellOfColumn(size_t(width))
    , m_weightOfColumn(size_t(width))
    , m_lattice(size_t(m_cells + 1))
{
    for (int x = 0; x < width; ++x) {
        m_cellOfColumn[size_t(x)] = x / cellWidth;
        m_weightOfColumn[size_t(x)] = smoothstep(float(x % cellWidth) / float(cellWidth));
    }
}

void DemoNoise::addRow(qint64 row, float weight, float *out)
{
    // Interpolate down the rows once per lattice column, then across the row per pixel.
    const qint64 cellRow = row >= 0 ? row / m_cellHeight : (row + 1) / m_cellHeight - 1;
    const float t = smoothstep(float(row - cellRow * m_cellHeight) / float(m_cellHeight));
    for (int c = 0; c < m_cells; ++c) {
        const float above = unitHash(c, cellRow, m_seed);
        m_lattice[size_t(c)] = above + (unitHash(c, cellRow + 1, m_seed) - above) * t;
    }
    m_lattice[size_t(m_cells)] = m_lattice[0];
    for (int x = 0; x < m_width; ++x) {
        const size_t c = size_t(m_cellOfColumn[size_t(x)]);
        const float left = m_lattice[c];
        out[x] += weight * (left + (m_lattice[c + 1] - left) * m_weightOfColumn[size_t(x)]);
    }
}

} // namespace kivo
