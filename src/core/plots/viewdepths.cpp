// KIVO Log Viewer
#include "plots/viewdepths.h"

#include "log/depthindex.h"
#include "log/lineaverage.h"
#include "log/logsession.h"

namespace kivo {

std::optional<TadpoleRange> viewDepthRange(LogSession &session)
{
    const ViewGeometry &geometry = session.geometry();
    if (!session.isOpen() || geometry.rows <= 0)
        return std::nullopt;
    const qint64 position = session.position();
    int first = 0;
    while (first < geometry.rows && !geometry.recordOnRow(position, first))
        ++first;
    int last = geometry.rows - 1;
    while (last > first && !geometry.recordOnRow(position, last))
        --last;
    if (first >= geometry.rows)
        return std::nullopt;
    DepthIndex index(session.imageFile(), session.layout().SamplesPerLine);
    // Where a row stands in depth, as the view has it: the mean of its records' depths.
    const auto rowDepth = [&](int y) {
        const ViewGeometry::Records records =
            geometry.recordsOfLine(*geometry.lineOnRow(position, y));
        qint64 sum = 0;
        for (int k = 0; k < records.count; ++k)
            sum += index.entry(records.first + k).depth;
        return meanDepth(sum, records.count) / 1000.0;
    };
    const double top = rowDepth(first);
    const double bottom = rowDepth(last);
    TadpoleRange range;
    range.unitSuffix = session.layout().unitSuffix();
    if (last == first || top == bottom) {
        range.top = top - 0.5;
        range.bottom = top + 0.5;
        return range;
    }
    const double perRow = (bottom - top) / (last - first);
    range.top = top - first * perRow;
    range.bottom = top + (geometry.rows - 1 - first) * perRow;
    return range;
}

} // namespace kivo
