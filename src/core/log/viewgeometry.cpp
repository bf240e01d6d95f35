// KIVO Log Viewer
#include "log/viewgeometry.h"

namespace kivo {

qint64 ViewGeometry::viewStart(qint64 position) const
{
    return direction == 2 ? position : scrollMax() - position;
}

std::optional<qint64> ViewGeometry::lineOnRow(qint64 position, int y) const
{
    if (y < 0 || y >= rows)
        return std::nullopt;
    const qint64 line =
        direction == 2 ? viewStart(position) + y : viewStart(position) + (rows - 1 - y);
    if (line < 0 || line >= lineCount())
        return std::nullopt;
    return line;
}

ViewGeometry::Records ViewGeometry::recordsOfLine(qint64 line) const
{
    const qint64 first = line * zoom;
    return {first, int(qBound<qint64>(0, recordCount - first, qint64(zoom)))};
}

std::optional<qint64> ViewGeometry::recordOnRow(qint64 position, int y) const
{
    if (const auto line = lineOnRow(position, y))
        return *line * zoom;
    return std::nullopt;
}

std::optional<int> ViewGeometry::rowOfRecord(qint64 position, qint64 record) const
{
    if (record < 0 || record >= recordCount)
        return std::nullopt;
    const qint64 offset = record / zoom - viewStart(position);
    if (offset < 0 || offset >= rows)
        return std::nullopt;
    return int(direction == 2 ? offset : rows - 1 - offset);
}

std::optional<qint64> ViewGeometry::readoutRecord(qint64 position) const
{
    if (recordCount == 0 || rows <= 0)
        return std::nullopt;
    // The top row's line; in a short bottom-up log the top row may be empty, and the top-most
    // line drawn is the last one.
    if (direction == 2)
        return viewStart(position) * zoom;
    return qMin(viewStart(position) + rows - 1, lineCount() - 1) * zoom;
}

qint64 ViewGeometry::positionWithRecordOnTop(qint64 record, int y) const
{
    // Direction 2 shows line P + y on row y; direction 1 line Max - P + R - 1 - y, that is
    // L - 1 - y - P.
    const qint64 line = record / zoom;
    const qint64 position = direction == 2 ? line - y : lineCount() - 1 - y - line;
    return qBound<qint64>(0, position, scrollMax());
}

} // namespace kivo
