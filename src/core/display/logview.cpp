// KIVO Log Viewer
#include "display/logview.h"

#include "display/colourmap.h"
#include "display/depthmarkstep.h"
#include "display/displayarea.h"
#include "log/imagefile.h"
#include "log/timageline.h"

#include <cstring>

namespace kivo {

LogView::LogView(DisplayArea &area, ImageFile &file, const TColourMap &colours,
                 const LogLayout &layout, const QLocale &locale)
    : m_area(area)
    , m_file(file)
    , m_colours(colours)
    , m_renderer(layout.SamplesPerLine, layout.unitSuffix(), locale)
    , m_enhancer(layout.SamplesPerLine)
    , m_average(layout.SamplesPerLine)
{
    m_geometry.direction = layout.LogDirection;
}

void LogView::setGeometry(const ViewGeometry &geometry)
{
    if (geometry.rows != m_geometry.rows || geometry.zoom != m_geometry.zoom)
        m_rowsKnown = false;
    m_geometry = geometry;
}

void LogView::fullPass(qint64 position)
{
    TDirectDrawSurface *surface = m_area.Surface();
    if (!surface)
        return;
    m_renderer.setColourMap(m_colours);
    m_viewStart = m_geometry.viewStart(position);
    m_rows.assign(size_t(qMax(0, m_geometry.rows)), RowRecord{});
    readAndDraw(m_viewStart, m_viewStart + m_geometry.rows - 1, position, 0, m_geometry.rows);
    m_rowsKnown = true;
    drawMargin();
    finishPass();
}

void LogView::incrementalPass(qint64 position)
{
    TDirectDrawSurface *surface = m_area.Surface();
    if (!surface)
        return;
    const int rows = m_geometry.rows;
    const qint64 start = m_geometry.viewStart(position);
    const qint64 moved = start - m_viewStart;
    // Records stack downwards in direction 2 and upwards in direction 1, so a later start moves
    // the picture up in direction 2 and down in direction 1.
    const qint64 shift = m_geometry.direction == 2 ? -moved : moved;
    if (!m_rowsKnown || qAbs(shift) >= rows || surface->Height() != rows) {
        fullPass(position);
        return;
    }
    m_renderer.setColourMap(m_colours);
    m_viewStart = start;
    // Of the image only the rows uncovered change; the margin is seen to below.
    QRegion changed;
    if (shift != 0) {
        surface->Draw(0, int(shift), surface->ClientRect(), *surface);
        // The rows' records move with the picture; the uncovered rows are read below.
        std::vector<RowRecord> shifted(m_rows.size());
        for (int y = 0; y < rows; ++y) {
            const qint64 from = y - shift;
            if (from >= 0 && from < rows)
                shifted[size_t(y)] = m_rows[size_t(from)];
        }
        m_rows = std::move(shifted);
        const int paintFrom = shift > 0 ? 0 : rows + int(shift);
        const int paintTo = shift > 0 ? int(shift) : rows;
        // The uncovered rows hold a run of consecutive lines.
        const auto a = m_geometry.lineOnRow(position, paintFrom);
        const auto b = m_geometry.lineOnRow(position, paintTo - 1);
        if (a && b)
            readAndDraw(qMin(*a, *b), qMax(*a, *b), position, paintFrom, paintTo);
        changed += QRect(0, paintFrom, surface->Width(), paintTo - paintFrom);
    }
    forgetVanishedRecords(position);
    // The margin is drawn whole, but it differs from the shifted one only where marks came,
    // went or moved: usually a label at the uncovered edge.
    surface->Canvas().ReleaseCanvas();
    keepMargin();
    drawMargin();
    surface->Canvas().ReleaseCanvas();
    changed += changedMarginRows();
    m_area.Present(int(shift), changed);
}

void LogView::keepMargin()
{
    const QImage &picture = m_area.Surface()->image();
    const int rows = qMin(m_geometry.rows, picture.height());
    m_marginBefore.resize(size_t(qMax(0, rows)) * StripRenderer::ImageLeft);
    for (int y = 0; y < rows; ++y)
        std::memcpy(&m_marginBefore[size_t(y) * StripRenderer::ImageLeft], picture.constScanLine(y),
                    StripRenderer::ImageLeft * sizeof(quint32));
}

QRegion LogView::changedMarginRows() const
{
    const QImage &picture = m_area.Surface()->image();
    const int rows = int(m_marginBefore.size() / StripRenderer::ImageLeft);
    QRegion changed;
    for (int y = 0; y < rows;) {
        const auto differs = [&](int row) {
            return std::memcmp(&m_marginBefore[size_t(row) * StripRenderer::ImageLeft],
                               picture.constScanLine(row),
                               StripRenderer::ImageLeft * sizeof(quint32)) != 0;
        };
        if (!differs(y)) {
            ++y;
            continue;
        }
        int end = y + 1;
        while (end < rows && differs(end))
            ++end;
        changed += QRect(0, y, StripRenderer::ImageLeft, end - y);
        y = end;
    }
    return changed;
}

void LogView::surfaceRemade()
{
    m_rowsKnown = false;
    if (TDirectDrawSurface *surface = m_area.Surface()) {
        StripRenderer::PrepareSurfaceA(*surface);
        StripRenderer::PrepareSurfaceB(*surface);
    }
}

void LogView::readAndDraw(qint64 first, qint64 last, qint64 position, int paintFrom, int paintTo)
{
    if (m_geometry.zoom > 1) {
        readAndDrawAveraged(first, last, position, paintFrom, paintTo);
        return;
    }
    TDirectDrawSurface &surface = *m_area.Surface();
    const bool enhanced = m_enhancement && m_enhancement->changesSamples();
    if (enhanced)
        m_enhancer.prepare(*m_enhancement, m_file, first, last);
    else
        m_file.SeekRecord(first, last - first + 1);
    for (qint64 record = first; record <= last; ++record) {
        if (m_file.AtEnd())
            break;
        const uchar *bytes = m_file.ReadRecordView();
        if (!bytes)
            break;
        const auto y = m_geometry.rowOfRecord(position, record);
        if (!y)
            continue;
        const TImageLine line(enhanced ? m_enhancer.enhance(bytes, record) : bytes,
                              m_renderer.samplesPerLine());
        const qint32 depth = line.Depth();
        m_rows[size_t(*y)] = {true, depth, depth, depth, depth};
        if (*y >= paintFrom && *y < paintTo)
            m_renderer.DrawImageRow(surface, line, *y);
    }
}

void LogView::readAndDrawAveraged(qint64 first, qint64 last, qint64 position, int paintFrom,
                                  int paintTo)
{
    TDirectDrawSurface &surface = *m_area.Surface();
    const qint64 firstRecord = m_geometry.recordsOfLine(first).first;
    const ViewGeometry::Records end = m_geometry.recordsOfLine(last);
    // Each record is enhanced before it joins its line's average, as it would be drawn alone.
    const bool enhanced = m_enhancement && m_enhancement->changesSamples();
    if (enhanced)
        m_enhancer.prepare(*m_enhancement, m_file, firstRecord, end.first + end.count - 1);
    else
        m_file.SeekRecord(firstRecord, end.first + end.count - firstRecord);
    for (qint64 line = first; line <= last; ++line) {
        const ViewGeometry::Records records = m_geometry.recordsOfLine(line);
        m_average.clear();
        for (int i = 0; i < records.count && !m_file.AtEnd(); ++i) {
            const uchar *bytes = m_file.ReadRecordView();
            if (!bytes)
                break;
            m_average.add(
                TImageLine(enhanced ? m_enhancer.enhance(bytes, records.first + i) : bytes,
                           m_renderer.samplesPerLine()));
        }
        if (m_average.count() == 0)
            break;
        const auto y = m_geometry.rowOfRecord(position, records.first);
        if (!y)
            continue;
        const TImageLine averaged = m_average.line();
        m_rows[size_t(*y)] = {true, m_average.meanDepth(), m_average.minDepth(),
                              m_average.maxDepth(), averaged.Depth()};
        if (*y >= paintFrom && *y < paintTo)
            m_renderer.DrawImageRow(surface, averaged, *y);
        if (m_average.count() < records.count)
            break; // the file ends inside the line
    }
}

void LogView::forgetVanishedRecords(qint64 position)
{
    const qint64 count = m_file.RecordCount();
    for (int y = 0; y < m_geometry.rows; ++y) {
        const auto record = m_geometry.recordOnRow(position, y);
        if (!record || *record >= count)
            m_rows[size_t(y)].present = false;
    }
}

void LogView::drawMargin()
{
    TDirectDrawSurface &surface = *m_area.Surface();
    const int rows = m_geometry.rows;
    StripRenderer::clearMargin(surface, rows);
    const qint64 step = markStep();
    // Marks go in the order the rows are stacked, so that where labels overlap the later
    // record's label is on top. A row is marked with the first multiple of the step its
    // records reach (at zoom 1: its record's depth, when that is a multiple).
    for (int i = 0; i < rows; ++i) {
        const int y = m_geometry.direction == 2 ? i : rows - 1 - i;
        const RowRecord &row = m_rows[size_t(y)];
        if (!row.present)
            continue;
        qint64 mark = row.minDepth / step * step;
        if (mark < row.minDepth)
            mark += step;
        if (mark <= row.maxDepth)
            m_renderer.DrawDepthMark(surface, qint32(mark), y);
    }
}

qint32 LogView::markStep()
{
    if (m_geometry.zoom <= 1)
        return depthMarkStep(1, 0, 0);
    // The depth between records, from the first records of the outermost rows in view.
    int top = 0;
    int bottom = m_geometry.rows - 1;
    while (top < bottom && !m_rows[size_t(top)].present)
        ++top;
    while (bottom > top && !m_rows[size_t(bottom)].present)
        --bottom;
    // Rows show consecutive lines, whose first records lie zoom records apart.
    const double spacing =
        bottom > top ? double(m_rows[size_t(bottom)].firstDepth - m_rows[size_t(top)].firstDepth) /
                           (double(bottom - top) * m_geometry.zoom)
                     : 0.0;
    if (m_labelRows == 0)
        m_labelRows = m_area.Surface()->Canvas().TextExtent(QStringLiteral("0")).height();
    return depthMarkStep(m_geometry.zoom, spacing, m_labelRows);
}

void LogView::finishPass()
{
    m_area.Surface()->Canvas().ReleaseCanvas();
    m_area.Present();
}

std::optional<qint32> LogView::rowDepth(int y) const
{
    if (!m_rowsKnown || y < 0 || y >= int(m_rows.size()) || !m_rows[size_t(y)].present)
        return std::nullopt;
    return m_rows[size_t(y)].depth;
}

} // namespace kivo
