// KIVO Log Viewer
#include "picks/traceoverlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

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

// The frame's 32-bit pixels.
struct Pixels {
    explicit Pixels(QImage &frame)
        : data(reinterpret_cast<quint32 *>(frame.bits()))
        , stride(frame.bytesPerLine() / qsizetype(sizeof(quint32)))
    {}
    quint32 *data;
    qsizetype stride;
};

// The uneven view: each column at the row, fractional, of its depth; -1 where that depth is not
// in view.
void exactRows(const Sinusoid &trace, const RowDepthMap &rows, ColumnRows &row)
{
    const ColumnTrig &trig = columnTrig();
    const double c = trace.depth;
    const double a = trace.a();
    const double b = trace.b();
    for (size_t j = 0; j < Columns; ++j)
        row[j] = rows.rowOf(c + a * trig.cosine[j] + b * trig.sine[j]).value_or(-1.0);
}

// The rows to draw in each column, from the trace's rows: none (bottom < top) off the rows in
// view, whose last is lastRow, and in a dashed trace's gaps. A plain loop over all the columns
// that the compiler runs in vector registers, in AVX2 where the processor has it.
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

// Rows top[j] to bottom[j] (none where bottom[j] < top[j]) of column left + j, each offset by
// `centre` rows, clipped to the rectangle: stored, unless `pixels` is null; returns the
// rectangle of those pixels.
QRect storeColumns(Pixels *pixels, int left, qint64 centre, const ColumnInts &top,
                   const ColumnInts &bottom, const QRect &clip, quint32 pixel)
{
    int topmost = clip.bottom() + 1;
    int bottommost = clip.top() - 1;
    int leftmost = Columns;
    int rightmost = -1;
    const int first = std::max(0, clip.left() - left);
    const int last = std::min(Columns - 1, clip.right() - left);
    for (int j = first; j <= last; ++j) {
        const int from = int(std::max<qint64>(centre + top[size_t(j)], clip.top()));
        const int to = int(std::min<qint64>(centre + bottom[size_t(j)], clip.bottom()));
        if (from > to)
            continue;
        if (pixels) {
            for (int y = from; y <= to; ++y)
                pixels->data[y * pixels->stride + left + j] = pixel;
        }
        topmost = std::min(topmost, from);
        bottommost = std::max(bottommost, to);
        leftmost = std::min(leftmost, j);
        rightmost = j;
    }
    if (rightmost < 0)
        return QRect();
    return QRect(QPoint(left + leftmost, topmost), QPoint(left + rightmost, bottommost));
}

// Stores of a trace's pixels, from the top left corner of the rectangle it spans: single
// pixels, and runs of four along a row, stored 16 bytes at a time.
using Stores = std::vector<qsizetype>;
__attribute__((noinline)) void storeAt(quint32 *__restrict data, qsizetype origin,
                                       const qsizetype *singles, const qsizetype *singlesEnd,
                                       const qsizetype *fours, const qsizetype *foursEnd,
                                       quint32 pixel)
{
    const std::array<quint32, 4> four{pixel, pixel, pixel, pixel};
    for (; fours != foursEnd; ++fours)
        std::memcpy(&data[origin + *fours], four.data(), sizeof four);
    for (; singles != singlesEnd; ++singles)
        data[origin + *singles] = pixel;
}

} // namespace

// A trace's pixels on an even view at one scale, relative to the row of its depth and to
// image column 0: each column's rows, and, for a trace of at most MaxStoredRows rows, the same
// as stores at one row stride: along each row, a run of four pixels or more as stores of four
// (the last one overlapping), a shorter run pixel by pixel.
struct TraceOverlay::Shape {
    static constexpr int MaxStoredRows = 4096;

    double amplitude = std::nan("");
    double troughAzimuth = 0.0;
    double rowsPerDepth = 0.0;
    int width = 0;
    bool dashed = false;

    ColumnInts top{};
    ColumnInts bottom{};
    QRect extent; // the rows and columns drawn, relative; empty for none
    qsizetype stride = 0;
    Stores singles; // from the extent's top left, at that stride, in order
    Stores fours;

    bool fits(const TraceStyle &style, double scale) const
    {
        return style.trace.amplitude == amplitude && style.trace.troughAzimuth == troughAzimuth &&
               scale == rowsPerDepth && style.width == width && style.dashed == dashed;
    }
    void make(const TraceStyle &style, double scale);
    bool storable() const { return extent.height() <= MaxStoredRows; }
    void makeStores(qsizetype rowStride);
};

void TraceOverlay::Shape::make(const TraceStyle &style, double scale)
{
    amplitude = style.trace.amplitude;
    troughAzimuth = style.trace.troughAzimuth;
    rowsPerDepth = scale;
    width = style.width;
    dashed = style.dashed;
    stride = 0;
    const ColumnTrig &trig = columnTrig();
    const double a = style.trace.a();
    const double b = style.trace.b();
    // Each column's row offset from the trace's depth; any beyond a billion rows (or not a
    // number) is as far off every view.
    ColumnInts row;
    bool finite = true;
    for (size_t j = 0; j < Columns; ++j) {
        const double offset = std::floor((a * trig.cosine[j] + b * trig.sine[j]) * scale + 0.5);
        finite = finite && std::abs(offset) < 1e9;
        row[j] = finite ? int(offset) : 0;
    }
    extent = QRect();
    if (!finite) {
        top.fill(0);
        bottom.fill(-1);
        return;
    }
    const int below = width - 1;
    int topmost = 0, bottommost = 0, leftmost = -1, rightmost = -1;
    for (size_t j = 0; j < Columns; ++j) {
        // A steep trace is joined to the column before it by a vertical run.
        const int y = row[j];
        const bool joined = j > 0;
        top[j] = joined ? std::min(row[j - 1] + 1, y) : y;
        bottom[j] = (joined ? std::max(row[j - 1] - 1, y) : y) + below;
        if (dashed && !trig.dash[j]) {
            bottom[j] = top[j] - 1;
            continue;
        }
        topmost = leftmost < 0 ? top[j] : std::min(topmost, top[j]);
        bottommost = leftmost < 0 ? bottom[j] : std::max(bottommost, bottom[j]);
        if (leftmost < 0)
            leftmost = int(j);
        rightmost = int(j);
    }
    if (leftmost >= 0)
        extent = QRect(QPoint(leftmost, topmost), QPoint(rightmost, bottommost));
}

void TraceOverlay::Shape::makeStores(qsizetype rowStride)
{
    if (stride == rowStride)
        return;
    stride = rowStride;
    singles.clear();
    fours.clear();
    // Each row's run of pixels: a column's pixel on a row continues the run there when that
    // reached the column before, and otherwise ends it and starts another.
    struct Run {
        int column = 0;
        int length = 0;
    };
    std::vector<Run> runs(size_t(extent.height()));
    const auto end = [this](const Run &run, int y) {
        const qsizetype first = y * stride + run.column;
        if (run.length < 4) {
            for (int x = 0; x < run.length; ++x)
                singles.push_back(first + x);
            return;
        }
        for (int x = 0; x + 4 < run.length; x += 4)
            fours.push_back(first + x);
        fours.push_back(first + run.length - 4);
    };
    for (int j = extent.left(); j <= extent.right(); ++j) {
        const int column = j - extent.left();
        for (int y = top[size_t(j)] - extent.top(); y <= bottom[size_t(j)] - extent.top(); ++y) {
            Run &run = runs[size_t(y)];
            if (run.length > 0 && run.column + run.length == column) {
                ++run.length;
                continue;
            }
            if (run.length > 0)
                end(run, y);
            run = {column, 1};
        }
    }
    for (int y = 0; y < extent.height(); ++y) {
        if (runs[size_t(y)].length > 0)
            end(runs[size_t(y)], y);
    }
    // Row by row, so that the stores of a band of rows are one stretch of each list.
    std::sort(singles.begin(), singles.end());
    std::sort(fours.begin(), fours.end());
}

TraceOverlay::TraceOverlay() = default;
TraceOverlay::~TraceOverlay() = default;

QRect TraceOverlay::draw(QImage &frame, int imageLeft, const RowDepthMap &rows,
                         const std::vector<TraceStyle> &traces, const QRegion &clip)
{
    if (rows.empty() || traces.empty())
        return QRect();
    // Only the rows that have a record, in the frame.
    const QRect inView = frame.rect() & QRect(0, rows.firstRow(), frame.width(),
                                              rows.lastRow() - rows.firstRow() + 1);
    if (inView.isEmpty())
        return QRect();
    std::vector<QRect> parts;
    for (const QRect &part : clip) {
        if (const QRect in = part & inView; !in.isEmpty())
            parts.push_back(in);
    }
    Pixels pixels(frame);
    QRect covered; // where the traces are in the frame, drawn or left out by the clip
    if (!rows.even()) {
        ColumnRows row;
        ColumnInts top;
        ColumnInts bottom;
        for (const TraceStyle &style : traces) {
            exactRows(style.trace, rows, row);
            columnRuns(row, double(rows.rowCount() - 1) + 0.5, style, top, bottom);
            covered |= storeColumns(nullptr, imageLeft, 0, top, bottom, inView, 0);
            for (const QRect &part : parts)
                storeColumns(&pixels, imageLeft, 0, top, bottom, part, style.colour.rgb());
        }
        return covered;
    }
    m_shapes.resize(traces.size());
    const double scale = rows.rowsPerDepth();
    for (size_t i = 0; i < traces.size(); ++i) {
        const TraceStyle &style = traces[i];
        Shape &shape = m_shapes[i];
        if (!shape.fits(style, scale))
            shape.make(style, scale);
        const double centre = std::floor((style.trace.depth - rows.origin()) * scale + 0.5);
        if (shape.extent.isEmpty() || !(std::abs(centre) < 1e9))
            continue;
        const qint64 at = qint64(centre);
        const qint64 top = at + shape.extent.top();
        const qint64 bottom = at + shape.extent.bottom();
        const int left = imageLeft + shape.extent.left();
        const int right = imageLeft + shape.extent.right();
        if (bottom < inView.top() || top > inView.bottom() || right < inView.left() ||
            left > inView.right())
            continue;
        // A trace's rows run unbroken, so that those in view are its extent's, cut to the
        // view's rows; with columns out of the frame, they are found column by column.
        if (left >= inView.left() && right <= inView.right())
            covered |= QRect(QPoint(left, int(std::max<qint64>(top, inView.top()))),
                             QPoint(right, int(std::min<qint64>(bottom, inView.bottom()))));
        else
            covered |= storeColumns(nullptr, imageLeft, at, shape.top, shape.bottom, inView, 0);
        const quint32 pixel = style.colour.rgb();
        for (const QRect &part : parts) {
            if (bottom < part.top() || top > part.bottom() || right < part.left() ||
                left > part.right())
                continue;
            if (left < part.left() || right > part.right() || !shape.storable()) {
                storeColumns(&pixels, imageLeft, at, shape.top, shape.bottom, part, pixel);
                continue;
            }
            // The stores of the rows in the part.
            shape.makeStores(pixels.stride);
            const qint64 from = std::max<qint64>(top, part.top());
            const qint64 to = std::min<qint64>(bottom, part.bottom());
            const auto rowsOf = [&](const Stores &stores) {
                const auto first =
                    std::lower_bound(stores.begin(), stores.end(), (from - top) * pixels.stride);
                const auto last =
                    std::lower_bound(first, stores.end(), (to + 1 - top) * pixels.stride);
                return std::make_pair(stores.data() + (first - stores.begin()),
                                      stores.data() + (last - stores.begin()));
            };
            const auto [singles, singlesEnd] = rowsOf(shape.singles);
            const auto [fours, foursEnd] = rowsOf(shape.fours);
            storeAt(pixels.data, top * pixels.stride + left, singles, singlesEnd, fours, foursEnd,
                    pixel);
        }
    }
    return covered;
}

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
    m_even = step != 0 && m_rows.back().y - m_rows.front().y == int(m_rows.size()) - 1;
    for (size_t i = 1; m_even && i < m_rows.size(); ++i)
        m_even = std::abs(m_rows[i].depth - m_rows[i - 1].depth - step) <= 1e-9;
    if (m_even) {
        m_rowsPerDepth = 1.0 / step;
        m_origin = m_rows.front().depth - m_rows.front().y * step;
    }
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
    return TraceOverlay().draw(frame, imageLeft, rows, traces, frame.rect());
}

} // namespace kivo
