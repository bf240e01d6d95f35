// KIVO Log Viewer
#include "picks/boreholediameter.h"

#include <algorithm>

namespace kivo {

std::optional<double> bitSizeAt(const uniheader &header, double depth)
{
    for (const runtype &run : header.Runs) {
        const double top = std::min(run.BitRecFrom, run.BitRecTo);
        const double bottom = std::max(run.BitRecFrom, run.BitRecTo);
        if (run.RunNo != 0 && run.BitRec > 0.0 && depth >= top && depth <= bottom)
            return run.BitRec;
    }
    return std::nullopt;
}

} // namespace kivo
