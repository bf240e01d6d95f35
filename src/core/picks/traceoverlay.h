// KIVO Log Viewer
#pragma once

#include "picks/sinusoid.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>

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
    // The rows with a record are one unbroken run, evenly spaced in depth (the usual view, and
    // at the log's ends, where rows past the last record are empty): then a depth's row is
    // (depth - origin()) * rowsPerDepth(), origin() being the depth row 0 stands for.
    bool even() const { return m_even; }
    double origin() const { return m_origin; }
    double rowsPerDepth() const { return m_rowsPerDepth; }
    // The first and last rows with a record (not empty() only).
    int firstRow() const { return m_rows.front().y; }
    int lastRow() const { return m_rows.back().y; }

private:
    struct Row {
        int y;
        double depth;
    };
    std::vector<Row> m_rows; // rows with a record, top to bottom
    std::vector<std::optional<double>> m_all;
    bool m_rising = true; // depths grow down the view
    bool m_even = false;
    double m_origin = 0.0;
    double m_rowsPerDepth = 0.0;
};

// How one trace is drawn.
struct TraceStyle {
    Sinusoid trace;
    QColor colour;
    int width = 1;       // 1, or 2 for the selected pick
    bool dashed = false; // candidates of the detector
};

// Draws traces over a frame of the view: image column j (0..719) at x = imageLeft + j. One
// period spans the 720 columns, so a trace crosses the 0/360 edge by itself. Each column is
// joined to the column before it by a vertical run where the trace is steep; a dashed trace
// is drawn 8 columns in 14. Pixels are written directly, clipped to a region of the frame and
// to the rows that have a record.
//
// On an even view a trace keeps its shape wherever it is: each column's row is the row of the
// trace's depth, rounded, plus the column's offset from it, rounded, so that the shape is
// worked out once for a scale and each later frame stores its pixels only. This keeps the
// overlay of hundreds of picks at a small part of a redraw pass, and a trace moves with the
// picture row for row as the view scrolls. On an uneven view each column's row is that of its
// depth, rounded; a column whose depth is not in view is not drawn nor joined.
class TraceOverlay {
public:
    TraceOverlay();
    ~TraceOverlay();
    // Returns a rectangle holding the traces' pixels in the frame's rows with a record, from
    // their first row to their last, whether the clip let them be drawn or not (empty when
    // none): a window that paints part of a frame learns where else they have to be painted.
    QRect draw(QImage &frame, int imageLeft, const RowDepthMap &rows,
               const std::vector<TraceStyle> &traces, const QRegion &clip);

private:
    struct Shape;
    std::vector<Shape> m_shapes; // the shape of each trace of the last frame, by position
};

// The same over the whole frame, for a single frame (print pages, captures).
QRect drawTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                 const std::vector<TraceStyle> &traces);

} // namespace kivo
