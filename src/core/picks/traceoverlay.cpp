// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kivo {

namespace {

constexpr int Columns = 720;

// cos φ and sin φ at the centre of each image column, and whether a dashed trace is drawn
// there: dashes of 8 columns drawn, 6 left out.
struct ColumnTrig {
    std::array<double, Columns> cosine{};
    std::array<double, Columns> sine{};
    std::array<int, Columns> dash{};
    ColumnTrig()
    {
        for (int j = 0; j < Columns; ++j) {
            const double phi = columnAzimuth(j) * M_PI / 180.0;
            cosine[size_t(j)] = std::cos(phi);
            sine[size_t(j)] = std::sin(phi);
            dash[size_t(j)] = j % 14 < 8;
        }
    }
};

const ColumnTrig &columnTrig()
{
    static const ColumnTrig trig;
    return trig;
}

using ColumnRows = std::array<double, Columns>;
using ColumnInts = std::array<int, Columns>;

// A trace is drawn in passes, each a plain loop over all the columns that the compiler runs in
// vector registers, in AVX2 where the processor has it (without FMA: the rows stay the same to
// the bit).

// The row, fractional, of the trace in each column; -1 where its depth is not in view.
__attribute__((target_clones("avx2", "default"))) void
traceRows(const Sinusoid &trace, const RowDepthMap &rows, ColumnRows &row)
{
    const ColumnTrig &trig = columnTrig();
    const double c = trace.depth;
    const double a = trace.a();
    const double b = trace.b();
    if (rows.even()) {
        // Not bounded by the depths in view: the caller keeps to the rows.
        const double origin = rows.origin();
        const double rowsPerDepth = rows.rowsPerDepth();
        for (size_t j = 0; j < Columns; ++j)
            row[j] = (c + a * trig.cosine[j] + b * trig.sine[j] - origin) * rowsPerDepth;
        return;
    }
    for (size_t j = 0; j < Columns; ++j)
        row[j] = rows.rowOf(c + a * trig.cosine[j] + b * trig.sine[j]).value_or(-1.0);
}

// The rows to draw in each column, from the trace's rows: none (bottom < top) off the rows in
// view, whose last is lastRow, and in a dashed trace's gaps.
__attribute__((target_clones("avx2", "default"))) void
columnRuns(const ColumnRows &row, double lastRow, const TraceStyle &style, ColumnInts &top,
           ColumnInts &bottom)
{
    const ColumnTrig &trig = columnTrig();
    // Index j + 1 for column j: index 0 stands for a column before the first, out of view.
    std::array<int, Columns + 1> shown;
    std::array<int, Columns + 1> rowAt;
    shown[0] = 0;
    rowAt[0] = 0;
    // Off the rows in view: not drawn, and the next column not joined to it.
    for (size_t j = 0; j < Columns; ++j)
        shown[j + 1] = int(row[j] >= -0.5) & int(row[j] < lastRow);
    // Rows in view unchanged, any other (NaN too) brought into the rows, to convert safely.
    for (size_t j = 0; j < Columns; ++j)
        rowAt[j + 1] = int(std::min(lastRow, std::max(-0.5, row[j])) + 0.5);
    const int below = style.width - 1;
    const int dashed = style.dashed;
    for (size_t j = 0; j < Columns; ++j) {
        // A steep trace is joined to the column before it by a vertical run.
        const int y = rowAt[j + 1];
        const bool joined = shown[j];
        const int from = joined ? std::min(rowAt[j] + 1, y) : y;
        const int to = (joined ? std::max(rowAt[j] - 1, y) : y) + below;
        const bool drawn = shown[j + 1] & (trig.dash[j] | !dashed);
        top[j] = from;
        bottom[j] = drawn ? to : from - 1;
    }
}

// The frame's pixels, written a trace at a time.
class Pixels {
public:
    explicit Pixels(QImage &frame)
        : m_pixels(reinterpret_cast<quint32 *>(frame.bits()))
        , m_stride(frame.bytesPerLine() / qsizetype(sizeof(quint32)))
        , m_width(frame.width())
        , m_height(frame.height())
    {}
    // Rows top[j] to bottom[j] (inclusive; none where bottom[j] < top[j]) of column left + j
    // for each image column j, in one colour, clipped to the frame (the rows in place).
    void setColumns(int left, ColumnInts &top, ColumnInts &bottom, quint32 pixel);
    QRect drawn() const { return m_drawn; }

private:
    quint32 *m_pixels;
    qsizetype m_stride;
    int m_width;
    int m_height;
    QRect m_drawn;
};

__attribute__((target_clones("avx2", "default"))) void
Pixels::setColumns(int left, ColumnInts &top, ColumnInts &bottom, quint32 pixel)
{
    const int first = std::max(0, -left);
    const int end = std::min(Columns, m_width - left);
    // Clipped to the rows, a column without any as the rows past either end, then the extent
    // and number of the pixels drawn: loops without branches.
    const int height = m_height;
    for (int i = first; i < end; ++i) {
        const int from = std::max(top[size_t(i)], 0);
        const int to = std::min(bottom[size_t(i)], height - 1);
        top[size_t(i)] = from <= to ? from : height;
        bottom[size_t(i)] = from <= to ? to : -1;
    }
    int topmost = height;
    int bottommost = -1;
    int pixelCount = 0;
    int tall = 0; // columns of more than one row
    for (int i = first; i < end; ++i) {
        topmost = std::min(topmost, top[size_t(i)]);
        bottommost = std::max(bottommost, bottom[size_t(i)]);
        pixelCount += std::max(bottom[size_t(i)] - top[size_t(i)] + 1, 0);
        tall += int(bottom[size_t(i)] > top[size_t(i)]);
    }
    if (pixelCount == 0)
        return;
    // The first and last columns drawn, found from either end.
    int leftmost = first;
    while (top[size_t(leftmost)] > bottom[size_t(leftmost)])
        ++leftmost;
    int rightmost = end - 1;
    while (top[size_t(rightmost)] > bottom[size_t(rightmost)])
        --rightmost;
    m_drawn |= QRect(QPoint(left + leftmost, topmost), QPoint(left + rightmost, bottommost));
    // The top pixel of every column, one without any at a pixel the trace draws anyway (the
    // same colour again): one store for each column, without a branch.
    quint32 *const pixels = m_pixels;
    const qsizetype stride = m_stride;
    const qsizetype anchor = top[size_t(leftmost)] * stride + left + leftmost;
    std::array<qsizetype, Columns> offset;
    for (int i = leftmost; i <= rightmost; ++i) {
        const qsizetype at = top[size_t(i)] * stride + left + i;
        offset[size_t(i)] = top[size_t(i)] <= bottom[size_t(i)] ? at : anchor;
    }
    for (int i = leftmost; i <= rightmost; ++i)
        pixels[offset[size_t(i)]] = pixel;
    if (tall == 0)
        return;
    // The rows below the top, where a trace is steep or wide.
    for (int i = leftmost; i <= rightmost; ++i) {
        for (int y = top[size_t(i)] + 1; y <= bottom[size_t(i)]; ++y)
            pixels[y * stride + left + i] = pixel;
    }
}

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
    Pixels pixels(frame);
    ColumnRows row;
    ColumnInts top;
    ColumnInts bottom;
    for (const TraceStyle &style : traces) {
        traceRows(style.trace, rows, row);
        columnRuns(row, double(rows.rowCount() - 1) + 0.5, style, top, bottom);
        pixels.setColumns(imageLeft, top, bottom, style.colour.rgb());
    }
    return pixels.drawn();
}

} // namespace kivo
