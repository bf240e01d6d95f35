// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"
#include "plots/projection.h"

#include <optional>
#include <vector>

namespace kivo {

// The mean of the poles of a set of planes, as Fisher statistics: the resultant R of their unit
// vectors, each taken at the end nearer the others' mean (poles are axes), and the estimate of
// the concentration K = (N - 1) / (N - R).
struct MeanPole {
    int count = 0;
    Line pole;                     // lower hemisphere
    double dip = 0.0;              // the mean plane: 90 - the pole's plunge
    double dipAzimuth = 0.0;       // the pole's trend - 180
    double resultant = 0.0;        // R, 0..N
    std::optional<double> fisherK; // nullopt for one pole or poles all alike (K unbounded)
};

// nullopt without a pick that has a pole.
std::optional<MeanPole> meanPole(const std::vector<PlotPick> &picks);

} // namespace kivo
