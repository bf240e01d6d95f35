// KIVO Log Viewer
#include "plots/rose.h"

#include "picks/sinusoid.h"

#include <algorithm>
#include <cmath>

namespace kivo {

int RoseBins::largest() const
{
    return counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
}

bool roseBinWidthValid(double width, RoseMode mode)
{
    const double span = mode == RoseMode::Strikes ? 180.0 : 360.0;
    if (!(width >= 1.0 && width <= span))
        return false;
    const double bins = span / width;
    return std::abs(bins - std::round(bins)) < 1e-9;
}

RoseBins roseBins(const std::vector<PlotPick> &picks, RoseMode mode, double width)
{
    RoseBins rose;
    rose.width = width;
    const int bins = int(std::lround(360.0 / width));
    rose.counts.assign(size_t(bins), 0);
    for (const PlotPick &pick : picks) {
        if (!pick.oriented || !pick.dipAzimuth)
            continue;
        ++rose.total;
        if (mode == RoseMode::DipAzimuths) {
            const int bin = std::min(int(normalizedAzimuth(*pick.dipAzimuth) / width), bins - 1);
            ++rose.counts[size_t(bin)];
            continue;
        }
        // A strike and its opposite are one direction: count it in the bin under 180 and
        // mirror that bin.
        const double strike = std::fmod(normalizedAzimuth(*pick.dipAzimuth - 90.0), 180.0);
        const int bin = std::min(int(strike / width), bins / 2 - 1);
        ++rose.counts[size_t(bin)];
        ++rose.counts[size_t(bin + bins / 2)];
    }
    return rose;
}

} // namespace kivo
