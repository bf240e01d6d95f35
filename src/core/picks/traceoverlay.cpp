// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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

// The frame's pixels, looked up once per drawing rather than once per pixel.
struct Pixels {
    explicit Pixels(QImage &frame)
        : bits(frame.bits())
        , bytesPerLine(frame.bytesPerLine())
        , width(frame.width())
        , height(frame.height())
    {}
    void plot(int x, int y, QRgb pixel)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            reinterpret_cast<QRgb *>(bits + qsizetype(y) * bytesPerLine)[x] = pixel;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    QRect drawn() const
    {
        return top <= bottom ? QRect(QPoint(left, top), QPoint(right, bottom)) : QRect();
    }
    uchar *bits;
    qsizetype bytesPerLine;
    int width;
    int height;
    int top = std::numeric_limits<int>::max();
    int bottom = std::numeric_limits<int>::min();
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
};

} // namespace

RowDepthMap::RowDepthMap(const std::vector<std::optional<double>> &rowDepths)
    : m_all(rowDepths)
{
    m_rows.reserve(rowDepths.size());
    for (int y = 0; y < int(rowDepths.size()); ++y) {
        if (rowDepths[size_t(y)])
            m_rows.push_back({y, *rowDepths[size_t(y)]});
    }
    if (m_rows.size() < 2)
        return;
    m_rising = m_rows.back().depth >= m_rows.front().depth;
    const double step = (m_rows.back().depth - m_rows.front().depth) / double(m_rows.size() - 1);
    m_even = step != 0 && m_rows.size() == rowDepths.size();
    for (size_t i = 1; m_even && i < m_rows.size(); ++i)
        m_even = std::abs(m_rows[i].depth - m_rows[i - 1].depth - step) <= 1e-9;
    if (m_even)
        m_rowsPerDepth = 1.0 / step;
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
    // The first row at or past the depth, down the view. Rows are nearly evenly spaced in
    // depth, so the search starts where a straight line through the ends puts the depth and
    // walks from there: a step or two instead of a bisection.
    const auto before = [this, depth](size_t i) {
        return m_rising ? m_rows[i].depth < depth : m_rows[i].depth > depth;
    };
    const double first = m_rows.front().depth;
    const double span = m_rows.back().depth - first;
    const double guess = span == 0 ? 0 : (depth - first) / span * double(m_rows.size() - 1);
    size_t lo = size_t(std::clamp(guess, 0.0, double(m_rows.size() - 1)));
    while (lo > 0 && !before(lo - 1))
        --lo;
    while (lo < m_rows.size() && before(lo))
        ++lo;
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

QRect drawTraces(QImage &frame, int imageLeft, const RowDepthMap &rows,
                 const std::vector<TraceStyle> &traces)
{
    if (rows.empty())
        return QRect();
    const ColumnTrig &trig = columnTrig();
    Pixels pixels(frame);
    for (const TraceStyle &style : traces) {
        const QRgb pixel = style.colour.rgb();
        const double c = style.trace.depth;
        const double a = style.trace.a();
        const double b = style.trace.b();
        int previous = 0;
        bool joined = false; // the column before was drawn in view
        const double lastRow = double(rows.rowCount() - 1) + 0.5;
        for (int j = 0; j < Columns; ++j) {
            const double depth = c + a * trig.cosine[size_t(j)] + b * trig.sine[size_t(j)];
            double row = -1.0;
            if (rows.even()) {
                row = (depth - rows.origin()) * rows.rowsPerDepth();
            } else if (const auto found = rows.rowOf(depth)) {
                row = *found;
            }
            // Off the rows in view (the even case is not bounded by its formula).
            if (!(row >= -0.5 && row < lastRow)) {
                joined = false;
                continue;
            }
            const int y = int(row + 0.5);
            const int x = imageLeft + j;
            // Dashes of 8 columns drawn, 6 left out.
            const bool drawn = !style.dashed || j % 14 < 8;
            if (drawn) {
                // A steep trace is joined to the column before it by a vertical run.
                const int from = joined ? qMin(previous + 1, y) : y;
                const int to = joined ? qMax(previous - 1, y) : y;
                for (int yy = from; yy <= to; ++yy) {
                    for (int w = 0; w < style.width; ++w)
                        pixels.plot(x, yy + w, pixel);
                }
            }
            previous = y;
            joined = true;
        }
    }
    return pixels.drawn();
}

} // namespace kivo
