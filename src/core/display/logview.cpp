// KIVO Log Viewer
#include "display/logview.h"

#include "display/colourmap.h"
#include "display/displayarea.h"
#include "log/imagefile.h"
#include "log/timageline.h"

namespace kivo {

LogView::LogView(DisplayArea &area, ImageFile &file, const TColourMap &colours,
                 const LogLayout &layout, const QLocale &locale)
    : m_area(area)
    , m_file(file)
    , m_colours(colours)
    , m_renderer(layout.SamplesPerLine, layout.unitSuffix(), locale)
    , m_enhancer(layout.SamplesPerLine)
{
    m_geometry.direction = layout.LogDirection;
}

void LogView::setGeometry(const ViewGeometry &geometry)
{
    if (geometry.rows != m_geometry.rows)
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
        // The uncovered rows hold a run of consecutive records.
        const auto a = m_geometry.recordOnRow(position, paintFrom);
        const auto b = m_geometry.recordOnRow(position, paintTo - 1);
        if (a && b)
            readAndDraw(qMin(*a, *b), qMax(*a, *b), position, paintFrom, paintTo);
    }
    forgetVanishedRecords(position);
    drawMargin();
    finishPass();
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
    TDirectDrawSurface &surface = *m_area.Surface();
    const bool enhanced = m_enhancement && m_enhancement->changesSamples();
    if (enhanced)
        m_enhancer.prepare(*m_enhancement, m_file, first, last);
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
        m_rows[size_t(*y)] = {true, line.Depth()};
        if (*y >= paintFrom && *y < paintTo)
            m_renderer.DrawImageRow(surface, line, *y);
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
    // Marks go in the order the rows are stacked, so that where labels overlap the later
    // record's label is on top.
    for (int i = 0; i < rows; ++i) {
        const int y = m_geometry.direction == 2 ? i : rows - 1 - i;
        const RowRecord &row = m_rows[size_t(y)];
        if (row.present)
            m_renderer.DrawDepthMark(surface, row.depth, y);
    }
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
