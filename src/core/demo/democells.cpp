// KIVO Log Viewer
#include "demo/democells.h"

#include "demo/demonoise.h"

#include <cmath>
#include <limits>

namespace kivo {

DemoCells::DemoCells(int width, int cellWidth, int cellHeight, float millimetresPerColumn,
                     quint32 seed)
    : m_cells(width / cellWidth)
    , m_cellWidth(cellWidth)
    , m_cellHeight(cellHeight)
    , m_columnScale(millimetresPerColumn)
    , m_seed(seed)
{}

DemoCells::Sample DemoCells::at(int column, qint64 row) const
{
    const int cellX = column / m_cellWidth;
    const qint64 cellY = row >= 0 ? row / m_cellHeight : (row + 1) / m_cellHeight - 1;
    float nearest = std::numeric_limits<float>::max();
    float second = nearest;
    Sample sample{};
    // The nearest point of a piece lies in this cell or one of its eight neighbours.
    for (qint64 y = cellY - 1; y <= cellY + 1; ++y) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = ((cellX + dx) % m_cells + m_cells) % m_cells;
            const float pointColumn =
                float((cellX + dx) * m_cellWidth) + unitHash(x, y, m_seed) * float(m_cellWidth);
            const float pointRow =
                float(y * m_cellHeight) + unitHash(x, y, m_seed + 1) * float(m_cellHeight);
            const float across = (float(column) - pointColumn) * m_columnScale;
            const float along = float(row) - pointRow;
            const float distance = std::sqrt(across * across + along * along);
            if (distance < nearest) {
                second = nearest;
                nearest = distance;
                sample.piece = quint32(x) * 0x9e3779b1u ^ quint32(y);
                sample.pieceRow = pointRow;
                sample.pieceColumn = pointColumn;
            } else if (distance < second) {
                second = distance;
            }
        }
    }
    sample.gap = (second - nearest) / 2.0f;
    return sample;
}

} // namespace kivo
