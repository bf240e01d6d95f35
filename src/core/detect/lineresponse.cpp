// KIVO Log Viewer
#include "detect/lineresponse.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kivo {

namespace {

// Half-widths of the line's core in records (lines 3, 5 and 9 records thick), and the width
// of each flank.
constexpr std::array<int, 3> HalfWidths = {1, 2, 4};
constexpr int Flank = 4;

// The noise of one column's luminance from the differences between neighbouring columns:
// their median is robust to the lines and edges that cross a few of them.
float pixelNoise(const WallBlock &block)
{
    std::vector<float> differences;
    for (int row = 0; row < block.rows; row += 5) {
        for (int c = 0; c + 1 < WallBlock::Columns; ++c)
            differences.push_back(std::abs(block.column(c + 1)[row] - block.column(c)[row]));
    }
    if (differences.empty())
        return 1.0f;
    auto middle = differences.begin() + long(differences.size() / 2);
    std::nth_element(differences.begin(), middle, differences.end());
    return std::max(1.0f, float(1.4826 / std::sqrt(2.0)) * *middle);
}

} // namespace

LineResponse darkLineResponse(const WallBlock &block)
{
    LineResponse response;
    response.rows = block.rows;
    response.noise = pixelNoise(block);
    response.values.assign(size_t(block.rows) * WallBlock::Columns, 0.0f);
    const int rows = block.rows;
    std::vector<double> prefix(size_t(rows) + 1);
    std::array<float, HalfWidths.size()> scale{};
    for (size_t s = 0; s < HalfWidths.size(); ++s)
        scale[s] =
            1.0f / (response.noise * float(std::sqrt(1.0 / (2 * HalfWidths[s] + 1) + 1.0 / Flank)));
    for (int c = 0; c < WallBlock::Columns; ++c) {
        const float *lum = block.column(c);
        prefix[0] = 0.0;
        for (int r = 0; r < rows; ++r)
            prefix[size_t(r) + 1] = prefix[size_t(r)] + lum[r];
        const auto mean = [&](int from, int to) { // rows from .. to - 1
            return float((prefix[size_t(to)] - prefix[size_t(from)]) / (to - from));
        };
        float *out = response.values.data() + size_t(c) * size_t(rows);
        for (size_t s = 0; s < HalfWidths.size(); ++s) {
            const int h = HalfWidths[s];
            for (int r = h + Flank; r + h + Flank < rows; ++r) {
                const float centre = mean(r - h, r + h + 1);
                const float lighter =
                    std::min(mean(r - h - Flank, r - h), mean(r + h + 1, r + h + 1 + Flank));
                out[r] = std::max(out[r], (lighter - centre) * scale[s]);
            }
        }
    }
    return response;
}

} // namespace kivo
