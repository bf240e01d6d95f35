// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"

#include <vector>

namespace kivo {

// What a rose diagram counts: the strikes (dip azimuth - 90), bidirectional, each counted in
// its bin and drawn again opposite; or the dip azimuths, one way.
enum class RoseMode { Strikes, DipAzimuths };

struct RoseBins {
    double width = 10.0;     // degrees
    std::vector<int> counts; // 360 / width bins from North clockwise: bin i is [i·w, (i+1)·w)
    int total = 0;           // the picks counted
    int largest() const;
};

// The bin width must divide 180 (strikes) or 360 (dip azimuths) into whole bins; a width that
// does not is refused by roseBinWidthValid. Picks without a true dip azimuth are left out.
bool roseBinWidthValid(double width, RoseMode mode);
RoseBins roseBins(const std::vector<PlotPick> &picks, RoseMode mode, double width = 10.0);

} // namespace kivo
