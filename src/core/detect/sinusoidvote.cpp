// KIVO Log Viewer
#include "detect/sinusoidvote.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kivo {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int PoolRows = 4;
constexpr int PoolColumns = 4;
constexpr int Columns = WallBlock::Columns / PoolColumns;
// A pooled cell's response counts above the block's median and up to this, so that noise adds
// little and one dark band crossed does not outweigh a trace followed all round.
constexpr float Cap = 6.0f;
// The largest error of the grid along the hole, in pooled rows: the vote is widened by one row
// either side to take it.
constexpr double GridError = 1.0;
// Traces per centre row kept, and the fraction of a full trace's vote a hypothesis needs.
constexpr int KeptPerRow = 3;
constexpr float MinimumVote = 0.22f * Columns * Cap / 2.0f;
// Hypotheses closer than this (records, along the hole) are one.
constexpr double SameTrace = 8.0;

struct Pooled {
    int rows = 0;
    std::vector<float> values; // [column * rows + row]
    const float *column(int c) const { return values.data() + size_t(c) * size_t(rows); }
};

// The response's maximum over each cell, above the median cell, capped, then widened by a
// pooled row either side.
Pooled pool(const LineResponse &response)
{
    Pooled pooled;
    pooled.rows = (response.rows + PoolRows - 1) / PoolRows;
    std::vector<float> cells(size_t(pooled.rows) * Columns, 0.0f);
    for (int c = 0; c < WallBlock::Columns; ++c) {
        const float *in = response.column(c);
        float *out = cells.data() + size_t(c / PoolColumns) * size_t(pooled.rows);
        for (int r = 0; r < response.rows; ++r)
            out[r / PoolRows] = std::max(out[r / PoolRows], in[r]);
    }
    std::vector<float> sorted = cells;
    auto middle = sorted.begin() + long(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    const float median = sorted.empty() ? 0.0f : *middle;
    pooled.values.assign(cells.size(), 0.0f);
    for (int c = 0; c < Columns; ++c) {
        const float *in = cells.data() + size_t(c) * size_t(pooled.rows);
        float *out = pooled.values.data() + size_t(c) * size_t(pooled.rows);
        for (int r = 0; r < pooled.rows; ++r) {
            float m = in[r];
            if (r > 0)
                m = std::max(m, in[r - 1]);
            if (r + 1 < pooled.rows)
                m = std::max(m, in[r + 1]);
            out[r] = std::clamp(m - median, 0.0f, Cap);
        }
    }
    return pooled;
}

// The amplitudes of the grid in pooled rows: steps of a row, then of 6 %.
std::vector<double> amplitudes(double maximum)
{
    std::vector<double> grid;
    for (double a = 0.75; a <= maximum; a += std::max(1.0, 0.06 * a))
        grid.push_back(a);
    return grid;
}

void keep(std::array<TraceHypothesis, KeptPerRow> &best, const TraceHypothesis &h)
{
    // A near twin of a kept one replaces it only when stronger; otherwise the weakest goes.
    for (TraceHypothesis &kept : best) {
        if (kept.score > 0.0f && kept.distance(h) < SameTrace) {
            if (h.score > kept.score)
                kept = h;
            std::sort(best.begin(), best.end(),
                      [](const auto &x, const auto &y) { return x.score > y.score; });
            return;
        }
    }
    if (h.score > best.back().score) {
        best.back() = h;
        std::sort(best.begin(), best.end(),
                  [](const auto &x, const auto &y) { return x.score > y.score; });
    }
}

} // namespace

std::vector<TraceHypothesis> voteTraces(const LineResponse &response, int from, int to,
                                        double maxAmplitude)
{
    const Pooled pooled = pool(response);
    const int first = std::max(0, from / PoolRows);
    const int last = std::min(pooled.rows, (to + PoolRows - 1) / PoolRows);
    if (last <= first)
        return {};
    const int span = last - first;
    std::vector<std::array<TraceHypothesis, KeptPerRow>> best(static_cast<size_t>(span));
    std::vector<float> sums(static_cast<size_t>(span));
    std::array<int, Columns> offsets{};
    std::array<double, Columns> phis{};
    for (int x = 0; x < Columns; ++x)
        phis[size_t(x)] = (x + 0.5) * PoolColumns * Pi / 180.0;

    for (double amplitude : amplitudes(maxAmplitude / PoolRows)) {
        const int troughs = std::max(1, int(std::ceil(2.0 * Pi * amplitude / (2.0 * GridError))));
        for (int t = 0; t < troughs; ++t) {
            const double trough = 2.0 * Pi * t / troughs;
            for (int x = 0; x < Columns; ++x)
                offsets[size_t(x)] =
                    int(std::lround(amplitude * std::cos(phis[size_t(x)] - trough)));
            std::fill(sums.begin(), sums.end(), 0.0f);
            for (int x = 0; x < Columns; ++x) {
                // The rows of the column this trace reads, clipped to the block.
                const int shift = first + offsets[size_t(x)];
                const int low = std::max(0, -shift);
                const int high = std::min(span, pooled.rows - shift);
                const float *in = pooled.column(x) + shift;
                for (int c = low; c < high; ++c)
                    sums[size_t(c)] += in[c];
            }
            for (int c = 0; c < span; ++c) {
                if (sums[size_t(c)] < MinimumVote)
                    continue;
                // Only where the vote peaks along the hole.
                if ((c > 0 && sums[size_t(c) - 1] > sums[size_t(c)]) ||
                    (c + 1 < span && sums[size_t(c) + 1] >= sums[size_t(c)]))
                    continue;
                TraceHypothesis h;
                h.centre = (first + c + 0.5) * PoolRows - 0.5;
                h.a = amplitude * PoolRows * std::cos(trough);
                h.b = amplitude * PoolRows * std::sin(trough);
                h.score = sums[size_t(c)];
                keep(best[size_t(c)], h);
            }
        }
    }

    std::vector<TraceHypothesis> all;
    for (const auto &row : best) {
        for (const TraceHypothesis &h : row) {
            if (h.score > 0.0f)
                all.push_back(h);
        }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const auto &x, const auto &y) { return x.score > y.score; });
    std::vector<TraceHypothesis> distinct;
    for (const TraceHypothesis &h : all) {
        if (std::none_of(distinct.begin(), distinct.end(),
                         [&](const TraceHypothesis &d) { return d.distance(h) < SameTrace; }))
            distinct.push_back(h);
    }
    return distinct;
}

} // namespace kivo
