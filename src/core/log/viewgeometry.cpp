// KIVO Log Viewer
#include "log/viewgeometry.h"

namespace kivo {

qint64 ViewGeometry::viewStart(qint64 position) const
{
    return direction == 2 ? position : scrollMax() - position;
}

std::optional<qint64> ViewGeometry::recordOnRow(qint64 position, int y) const
{
    if (y < 0 || y >= rows)
        return std::nullopt;
    const qint64 record =
        direction == 2 ? viewStart(position) + y : viewStart(position) + (rows - 1 - y);
    if (record < 0 || record >= recordCount)
        return std::nullopt;
    return record;
}

std::optional<int> ViewGeometry::rowOfRecord(qint64 position, qint64 record) const
{
    if (record < 0 || record >= recordCount)
        return std::nullopt;
    const qint64 offset = record - viewStart(position);
    if (offset < 0 || offset >= rows)
        return std::nullopt;
    return int(direction == 2 ? offset : rows - 1 - offset);
}

std::optional<qint64> ViewGeometry::readoutRecord(qint64 position) const
{
    if (recordCount == 0 || rows <= 0)
        return std::nullopt;
    // The top row's record; in a short bottom-up log the top row may be empty, and the
    // top-most record drawn is the last one.
    if (direction == 2)
        return viewStart(position);
    return qMin(viewStart(position) + rows - 1, recordCount - 1);
}

qint64 ViewGeometry::positionWithRecordOnTop(qint64 record, int y) const
{
    // Direction 2 shows record P + y on row y; direction 1 record Max - P + R - 1 - y, that is
    // C - 1 - y - P.
    const qint64 position = direction == 2 ? record - y : recordCount - 1 - y - record;
    return qBound<qint64>(0, position, scrollMax());
}

} // namespace kivo
