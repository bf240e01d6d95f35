// KIVO Log Viewer
#pragma once

#include "picks/sinusoid.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

namespace kivo {

// Where depths fall on the rows of a view. Built from the depth of each row's record, top row
// first (nullopt where a row shows none); the depths run one way down the rows, either way.
class RowDepthMap {
public:
    explicit RowDepthMap(const std::vector<std::optional<double>> &rowDepths);

    // The row, fractional between two rows, that a depth falls on; nullopt outside the depths
    // in view.
    std::optional<double> rowOf(double depth) const;
    // The depth of the record on a row, or nullopt.
    std::optional<double> depthOf(int row) const;
    bool empty() const { return m_rows.size() < 2; }
    int rowCount() const { return int(m_all.size()); }
    // Every row has a record and the rows are evenly spaced in depth (the usual view): then
    // row = (depth - origin()) * rowsPerDepth(), which a drawing loop computes in line.
    bool even() const { return m_even; }
    double origin() const { return m_rows.front().depth; }
    double rowsPerDepth() const { return m_rowsPerDepth; }

private:
    struct Row {
        int y;
        double depth;
    };
    std::vector<Row> m_rows; // rows with a record, top to bottom
    std::vector<std::optional<double>> m_all;
    bool m_rising = true; // depths grow down the view
    bool m_even = false;
    double m_rowsPerDepth = 0.0;
};

// How one trace is drawn.
struct TraceStyle {
    Sinusoid trace;
    QColor colour;
    int width = 1;       // 1, or 2 for the selected pick
    bool dashed = false; // candidates of the detector
};

// Draws traces over a frame of the view: image column j (0..719) at x = imageLeft + j, at the
// row its trace depth falls on. One period spans the 720 columns, so a trace crosses the 0/360
// edge by itself; where it leaves the rows in view it is not drawn. Pixels are written
// directly, so that a view with hundreds of picks costs a fraction of a redraw pass. Returns the
// rectangle of the pixels drawn (empty when none).
QRect drawTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                 const std::vector<TraceStyle> &traces);

} // namespace kivo
