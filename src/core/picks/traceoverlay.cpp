// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <array>
#include <cmath>

namespace kivo {

namespace {

constexpr int Columns = 720;

// cos φ and sin φ at the centre of each image column.
struct ColumnTrig {
    std::array<double, Columns> cosine{};
    std::array<double, Columns> sine{};
    ColumnTrig()
    {
        for (int j = 0; j < Columns; ++j) {
            const double phi = columnAzimuth(j) * M_PI / 180.0;
            cosine[size_t(j)] = std::cos(phi);
            sine[size_t(j)] = std::sin(phi);
        }
    }
};

const ColumnTrig &columnTrig()
{
    static const ColumnTrig trig;
    return trig;
}

void plot(QImage &frame, int x, int y, QRgb pixel)
{
    if (x >= 0 && y >= 0 && x < frame.width() && y < frame.height())
        reinterpret_cast<QRgb *>(frame.scanLine(y))[x] = pixel;
}

} // namespace

RowDepthMap::RowDepthMap(const std::vector<std::optional<double>> &rowDepths)
    : m_all(rowDepths)
{
    for (int y = 0; y < int(rowDepths.size()); ++y) {
        if (rowDepths[size_t(y)])
            m_rows.push_back({y, *rowDepths[size_t(y)]});
    }
    if (m_rows.size() >= 2)
        m_rising = m_rows.back().depth >= m_rows.front().depth;
}

std::optional<double> RowDepthMap::depthOf(int row) const
{
    if (row < 0 || row >= int(m_all.size()))
        return std::nullopt;
    return m_all[size_t(row)];
}

std::optional<double> RowDepthMap::rowOf(double depth) const
{
    if (empty() || !std::isfinite(depth))
        return std::nullopt;
    // The first row at or past the depth, down the view.
    size_t lo = 0;
    size_t hi = m_rows.size();
    while (lo < hi) {
        const size_t mid = (lo + hi) / 2;
        if (m_rising ? m_rows[mid].depth < depth : m_rows[mid].depth > depth)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == m_rows.size())
        return std::nullopt;
    const Row &below = m_rows[lo];
    if (below.depth == depth)
        return double(below.y);
    if (lo == 0)
        return std::nullopt;
    const Row &above = m_rows[lo - 1];
    const double t = (depth - above.depth) / (below.depth - above.depth);
    return above.y + t * (below.y - above.y);
}

void drawTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                const std::vector<TraceStyle> &traces)
{
    if (rows.empty())
        return;
    const ColumnTrig &trig = columnTrig();
    for (const TraceStyle &style : traces) {
        const QRgb pixel = style.colour.rgb();
        const double c = style.trace.depth;
        const double a = style.trace.a();
        const double b = style.trace.b();
        int previous = 0;
        bool joined = false; // the column before was drawn in view
        for (int j = 0; j < Columns; ++j) {
            const auto row = rows.rowOf(c + a * trig.cosine[size_t(j)] + b * trig.sine[size_t(j)]);
            if (!row) {
                joined = false;
                continue;
            }
            const int y = int(std::lround(*row));
            const int x = imageLeft + j;
            // Dashes of 8 columns drawn, 6 left out.
            const bool drawn = !style.dashed || j % 14 < 8;
            if (drawn) {
                // A steep trace is joined to the column before it by a vertical run.
                const int from = joined ? qMin(previous + 1, y) : y;
                const int to = joined ? qMax(previous - 1, y) : y;
                for (int yy = from; yy <= to; ++yy) {
                    for (int w = 0; w < style.width; ++w)
                        plot(frame, x, yy + w, pixel);
                }
            }
            previous = y;
            joined = true;
        }
    }
}

} // namespace kivo
