// KIVO Log Viewer
#include "detect/wallblock.h"

#include "log/imagefile.h"
#include "log/timageline.h"

#include <algorithm>
#include <cmath>

namespace kivo {

double WallBlock::depthAt(double row) const
{
    if (rows == 1)
        return depths[0];
    const double r = std::clamp(row, 0.0, double(rows - 1));
    const int i = std::min(int(r), rows - 2);
    return depths[size_t(i)] + (depths[size_t(i) + 1] - depths[size_t(i)]) * (r - i);
}

WallBlock readWallBlock(ImageFile &file, int samplesPerLine, qint64 first, qint64 count)
{
    WallBlock block;
    block.firstRecord = first;
    // The samples each column averages: a record of any width is brought to one degree.
    std::vector<int> from(WallBlock::Columns + 1);
    for (int c = 0; c <= WallBlock::Columns; ++c)
        from[size_t(c)] = int(qint64(c) * samplesPerLine / WallBlock::Columns);
    const size_t capacity = size_t(std::max<qint64>(count, 0));
    block.luminance.assign(capacity * WallBlock::Columns, 0.0f);
    file.SeekRecord(first, count);
    for (size_t k = 0; k < capacity; ++k) {
        const uchar *bytes = file.ReadRecordView();
        if (!bytes)
            break;
        const TImageLine line(bytes, samplesPerLine);
        block.depths.push_back(line.Depth() / 1000.0);
        const uchar *samples = line.Samples();
        for (int c = 0; c < WallBlock::Columns; ++c) {
            const int low = std::min(from[size_t(c)], samplesPerLine - 1);
            const int high = std::max(from[size_t(c) + 1], low + 1);
            int sum = 0;
            for (int i = low; i < high; ++i)
                sum += samples[3 * i] + samples[3 * i + 1] + samples[3 * i + 2];
            block.luminance[size_t(c) * capacity + k] = float(sum) / float(3 * (high - low));
        }
    }
    block.rows = int(block.depths.size());
    // A file that ended early: close up the columns.
    for (size_t c = 1; c < WallBlock::Columns && size_t(block.rows) < capacity; ++c)
        std::copy_n(block.luminance.begin() + long(c * capacity), block.rows,
                    block.luminance.begin() + long(c * size_t(block.rows)));
    block.luminance.resize(size_t(block.rows) * WallBlock::Columns);
    return block;
}

} // namespace kivo
