// KIVO Log Viewer
#include "display/blockcopy.h"

#include <algorithm>
#include <cstring>

namespace kivo {

std::optional<ClippedBlock> clipBlock(const TRect &sourceRect, QSize sourceSize, int x, int y,
                                      QSize destSize)
{
    // In 64 bits: edges near the ends of the 32-bit range must not wrap round.
    qint64 sourceLeft = sourceRect.Left;
    qint64 sourceTop = sourceRect.Top;
    qint64 destLeft = x;
    qint64 destTop = y;
    qint64 width = sourceRect.width();
    qint64 height = sourceRect.height();
    if (width <= 0 || height <= 0)
        return std::nullopt;

    const qint64 trimLeft = std::max({qint64(0), -sourceLeft, -destLeft});
    const qint64 trimTop = std::max({qint64(0), -sourceTop, -destTop});
    sourceLeft += trimLeft;
    destLeft += trimLeft;
    width -= trimLeft;
    sourceTop += trimTop;
    destTop += trimTop;
    height -= trimTop;
    width = std::min({width, sourceSize.width() - sourceLeft, destSize.width() - destLeft});
    height = std::min({height, sourceSize.height() - sourceTop, destSize.height() - destTop});
    if (width <= 0 || height <= 0)
        return std::nullopt;

    // Every value now lies inside one of the two images, so it fits in an int.
    return ClippedBlock{int(sourceLeft), int(sourceTop), int(destLeft),
                        int(destTop),    int(width),     int(height)};
}

void copyBlock(quint32 *dest, qsizetype destStride, const quint32 *source, qsizetype sourceStride,
               const ClippedBlock &block)
{
    const size_t rowBytes = size_t(block.width) * sizeof(quint32);
    auto copyRow = [&](int row) {
        std::memmove(dest + (block.destY + row) * destStride + block.destX,
                     source + (block.sourceY + row) * sourceStride + block.sourceX, rowBytes);
    };
    // Moving rows down within one buffer goes bottom-up so that no source row is overwritten
    // before it has been read; every other case may go top-down.
    if (block.destY > block.sourceY) {
        for (int row = block.height - 1; row >= 0; --row)
            copyRow(row);
    } else {
        for (int row = 0; row < block.height; ++row)
            copyRow(row);
    }
}

} // namespace kivo
