// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"
#include "plots/projection.h"

#include <vector>

namespace kivo {

// How a pole density is counted on the lower hemisphere. Poles are axes: a pole counts in a
// counting cone around either end of the node's axis.
// - Kamb: the cone whose area is the fraction A = 9 / (N + 9) of the hemisphere, where a
//   uniform scatter of N poles gives an expected count E = N·A = 3σ, σ = sqrt(N·A·(1 - A));
//   the density is count / σ, in multiples of σ (contoured every 2σ).
// - OnePercent: the cone of 1 % of the hemisphere's area; the density is the count in percent
//   of N (contoured every 1 %).
enum class DensityMethod { Kamb, OnePercent };

// The weight of a pole for the sampling bias of a hole (Terzaghi): 1 / sin α, α the angle
// between the plane and the hole, with sin α held at 0.1 or more so that planes along the hole
// count at most ten times. A pick without the hole's deviation counts 1.
double terzaghiWeight(const PlotPick &pick);

struct DensityGrid {
    int size = 0;               // nodes across and down, covering [-1, 1] in x and y
    std::vector<double> values; // row-major from the top (North) row; outside the net: 0
    double interval = 0.0;      // the contour interval in the density's unit
    double at(int column, int row) const
    {
        return values[size_t(row) * size_t(size) + size_t(column)];
    }
    NetPoint node(int column, int row) const;
};

// The density of the picks with a pole at size x size nodes. With weighting, the Terzaghi
// weights are scaled to sum to N, so that the density keeps its unit.
DensityGrid poleDensity(const std::vector<PlotPick> &picks, DensityMethod method, bool weighted,
                        int size = 61);
// The density at one direction (the same counting), for checks and read-outs.
double poleDensityAt(const std::vector<PlotPick> &picks, const Direction &axis,
                     DensityMethod method, bool weighted);

} // namespace kivo
