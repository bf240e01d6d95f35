// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// Cellular noise for broken rock: the wall is cut into irregular pieces, one around each point
// scattered over a grid of cells (one point per cell, the grid wrapping round the
// circumference). Distances are in millimetres of wall (a row is a millimetre), so pieces keep
// a natural shape although an image column is narrower than a row is tall.
class DemoCells {
public:
    struct Sample {
        float gap;      // how far the pixel is from the edge of its piece, millimetres
        quint32 piece;  // names the piece
        float pieceRow; // where the piece's point lies
        float pieceColumn;
    };

    // cellWidth must divide width; millimetresPerColumn gives the column's share of the wall.
    DemoCells(int width, int cellWidth, int cellHeight, float millimetresPerColumn, quint32 seed);

    Sample at(int column, qint64 row) const;

private:
    int m_cells;
    int m_cellWidth;
    int m_cellHeight;
    float m_columnScale;
    quint32 m_seed;
};

} // namespace kivo
