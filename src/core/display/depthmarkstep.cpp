// KIVO Log Viewer
#include "display/depthmarkstep.h"

#include <algorithm>
#include <cmath>

namespace kivo {

qint32 depthMarkStep(int zoom, double recordSpacing, int labelRows)
{
    constexpr qint32 Tenth = 100;
    const double spacing = std::abs(recordSpacing);
    if (zoom <= 1 || !(spacing > 0) || !std::isfinite(spacing))
        return Tenth;
    const double wanted = std::min(Tenth / spacing, double(labelRows));
    const auto rowsApart = [&](double step) {
        return step / (zoom * spacing);
    };
    // 1, 2, 5 times the powers of ten, up to the largest a depth can hold.
    for (qint64 decade = Tenth; decade <= 1'000'000'000; decade *= 10) {
        for (const qint64 factor : {1, 2, 5}) {
            if (rowsApart(double(decade * factor)) >= wanted)
                return qint32(decade * factor);
        }
    }
    return 1'000'000'000;
}

} // namespace kivo
