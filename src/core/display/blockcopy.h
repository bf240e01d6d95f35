// KIVO Log Viewer
#pragma once

#include "display/trect.h"

#include <QSize>

#include <optional>

namespace kivo {

// The part of a block copy that survives clipping: a width x height block read from
// (sourceX, sourceY) of the source and written at (destX, destY) of the destination.
struct ClippedBlock {
    int sourceX = 0;
    int sourceY = 0;
    int destX = 0;
    int destY = 0;
    int width = 0;
    int height = 0;
};

// Places sourceRect with its top-left at (x, y) and trims it wherever the destination rectangle
// reaches past the destination's edges or the source rectangle past the source's edges, trimming
// the matching side of the other rectangle by the same number of pixels. Nothing when the result
// holds no pixels.
std::optional<ClippedBlock> clipBlock(const TRect &sourceRect, QSize sourceSize, int x, int y,
                                      QSize destSize);

// Copies a clipped block between two 32-bit pixel buffers (strides in pixels). The buffers may be
// the same one with overlapping blocks: rows are visited in the order that reads every source row
// before it is overwritten, and each row is moved as a whole, so the result is that of copying
// through a temporary image.
void copyBlock(quint32 *dest, qsizetype destStride, const quint32 *source, qsizetype sourceStride,
               const ClippedBlock &block);

} // namespace kivo
