// KIVO Log Viewer
#pragma once

#include "plots/density.h"

#include <utility>
#include <vector>

namespace kivo {

struct ContourLevel {
    double level = 0.0;
    std::vector<std::pair<NetPoint, NetPoint>> segments; // in units of the net's radius
};

// The contour lines of a density grid at every multiple of its interval up to its maximum, by
// marching squares with the crossings placed linearly along the cells' edges.
std::vector<ContourLevel> contourLines(const DensityGrid &grid);

} // namespace kivo
