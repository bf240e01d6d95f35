// KIVO Log Viewer
#pragma once

#include "detect/wallblock.h"

#include <vector>

namespace kivo {

// How strongly each pixel of a block lies on a dark line across the hole: for a few widths of
// line, how much darker the records around it are than the lighter of the two flanks above and
// below, in units of that difference's noise; the strongest width counts. Step edges between
// bands, smooth shading and ramps give nothing (one flank is never lighter than the centre);
// only a band darker than both sides does.
struct LineResponse {
    int rows = 0;
    float noise = 1.0f;        // the pixel noise of the block's luminance, levels
    std::vector<float> values; // [column * rows + row], 0 or more

    const float *column(int c) const { return values.data() + size_t(c) * size_t(rows); }
    float at(int c, int row) const { return values[size_t(c) * size_t(rows) + size_t(row)]; }
};

LineResponse darkLineResponse(const WallBlock &block);

} // namespace kivo
