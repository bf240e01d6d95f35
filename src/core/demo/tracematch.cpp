// KIVO Log Viewer
#include "demo/tracematch.h"

#include <cmath>
#include <vector>

namespace kivo {

bool findsTrace(const Sinusoid &candidate, const Sinusoid &planted)
{
    const double amplitude = planted.amplitude * 1000.0;
    if (std::abs(candidate.depth - planted.depth) * 1000.0 > 15.0 ||
        std::abs(candidate.amplitude * 1000.0 - amplitude) > 0.2 * amplitude + 3.0)
        return false;
    const double turn =
        std::abs(normalizedAzimuth(candidate.troughAzimuth - planted.troughAzimuth));
    return amplitude <= 8.0 || std::min(turn, 360.0 - turn) <= 20.0;
}

TraceMatch matchTraces(const QList<PlantedTrace> &planted, const QList<Pick> &candidates)
{
    TraceMatch match;
    match.planted = int(planted.size());
    match.candidates = int(candidates.size());
    // Each planted trace takes the nearest free candidate in depth that finds it.
    std::vector<bool> taken(size_t(candidates.size()), false);
    for (const PlantedTrace &trace : planted) {
        qsizetype best = -1;
        for (qsizetype i = 0; i < candidates.size(); ++i) {
            if (taken[size_t(i)] || !findsTrace(candidates[i].trace, trace.trace))
                continue;
            if (best < 0 || std::abs(candidates[i].trace.depth - trace.trace.depth) <
                                std::abs(candidates[best].trace.depth - trace.trace.depth))
                best = i;
        }
        if (best >= 0) {
            taken[size_t(best)] = true;
            ++match.found;
        }
    }
    return match;
}

} // namespace kivo
