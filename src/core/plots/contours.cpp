// KIVO Log Viewer
#include "plots/contours.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// Where the level crosses the edge between two nodes.
NetPoint crossing(const NetPoint &a, double va, const NetPoint &b, double vb, double level)
{
    const double t = va == vb ? 0.5 : (level - va) / (vb - va);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

void marchCell(const DensityGrid &grid, int column, int row, double level,
               std::vector<std::pair<NetPoint, NetPoint>> &segments)
{
    // Corners counter-clockwise from the top left: 0 (c, r), 1 (c, r + 1), 2 (c + 1, r + 1),
    // 3 (c + 1, r); edge i joins corner i to corner i + 1.
    const int cols[4] = {column, column, column + 1, column + 1};
    const int rows[4] = {row, row + 1, row + 1, row};
    NetPoint p[4];
    double v[4];
    int index = 0;
    for (int i = 0; i < 4; ++i) {
        p[i] = grid.node(cols[i], rows[i]);
        v[i] = grid.at(cols[i], rows[i]);
        if (v[i] >= level)
            index |= 1 << i;
    }
    if (index == 0 || index == 15)
        return;
    std::vector<NetPoint> cuts;
    std::vector<int> edges;
    for (int e = 0; e < 4; ++e) {
        const int f = (e + 1) % 4;
        if ((v[e] >= level) != (v[f] >= level)) {
            cuts.push_back(crossing(p[e], v[e], p[f], v[f], level));
            edges.push_back(e);
        }
    }
    if (cuts.size() == 2) {
        segments.emplace_back(cuts[0], cuts[1]);
        return;
    }
    // A saddle: four crossings. The cell's mean decides which corners the high ground joins;
    // the crossings pair so that each segment cuts off one corner that stands apart.
    const double mean = (v[0] + v[1] + v[2] + v[3]) / 4.0;
    const bool joinHigh = mean >= level;
    const bool corner0High = v[0] >= level;
    // Edges are 0..3 in order; corner i lies between edge i - 1 and edge i.
    if (corner0High != joinHigh) {
        // Corners 0 and 2 stand apart: pair edges (3, 0) and (1, 2).
        segments.emplace_back(cuts[3], cuts[0]);
        segments.emplace_back(cuts[1], cuts[2]);
    } else {
        segments.emplace_back(cuts[0], cuts[1]);
        segments.emplace_back(cuts[2], cuts[3]);
    }
}

} // namespace

std::vector<ContourLevel> contourLines(const DensityGrid &grid)
{
    std::vector<ContourLevel> levels;
    if (grid.size < 2 || !(grid.interval > 0.0) || grid.values.empty())
        return levels;
    const double highest = *std::max_element(grid.values.begin(), grid.values.end());
    for (int k = 1; k * grid.interval <= highest && k <= 50; ++k) {
        ContourLevel contour;
        contour.level = k * grid.interval;
        for (int row = 0; row + 1 < grid.size; ++row)
            for (int column = 0; column + 1 < grid.size; ++column)
                marchCell(grid, column, row, contour.level, contour.segments);
        levels.push_back(std::move(contour));
    }
    return levels;
}

} // namespace kivo
