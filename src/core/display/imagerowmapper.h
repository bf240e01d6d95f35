// KIVO Log Viewer
#pragma once

#include "display/colourmap.h"

#include <array>
#include <vector>

namespace kivo {

// A record's samples as one row of 720 RGB pixels (three bytes each) through the colour tables,
// the columns chosen as on screen: column j shows sample j * N div 720. The row of the exports
// and the printed image track; the screen's surface rows come from StripRenderer.
class ImageRowMapper {
public:
    static constexpr int Columns = 720;
    static constexpr int RowBytes = 3 * Columns;

    ImageRowMapper(int samplesPerLine, const TColourMap &colours);

    // rgb receives RowBytes bytes; samples are the record's 3 * N sample bytes.
    void map(const uchar *samples, uchar *rgb) const;

private:
    std::vector<int> m_sampleOfColumn; // byte offset of each column's sample
    std::array<uchar, 256> m_table{};
    bool m_identity = false; // 720 samples through tables that change nothing: a plain copy
};

} // namespace kivo
