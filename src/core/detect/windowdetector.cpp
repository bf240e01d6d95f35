// KIVO Log Viewer
#include "detect/windowdetector.h"

#include "detect/lineresponse.h"
#include "detect/sinusoidvote.h"
#include "detect/tracerefiner.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// A trace must be followed over this much of the circumference.
constexpr double MinCoverage = 0.45;
// Fitted traces closer than this (records, along the hole) are one.
constexpr double SameTrace = 6.0;
// The hypotheses followed in one block at most, best first.
constexpr size_t MaxFollowed = 400;

bool near(const std::vector<TraceHypothesis> &taken, const TraceHypothesis &h)
{
    return std::any_of(taken.begin(), taken.end(),
                       [&](const TraceHypothesis &t) { return t.distance(h) < SameTrace; });
}

} // namespace

double traceConfidence(double coverage, double contrast)
{
    const double covered = std::clamp((coverage - MinCoverage) / (0.85 - MinCoverage), 0.0, 1.0);
    const double clear = std::clamp((contrast - 3.0) / 6.0, 0.0, 1.0);
    return std::clamp(0.65 * covered + 0.35 * clear, 0.0, 1.0);
}

QList<Pick> detectInBlock(const WallBlock &block, int from, int to, const TraceLimits &limits)
{
    QList<Pick> picks;
    if (block.rows < 16)
        return picks;
    const LineResponse response = darkLineResponse(block);
    // Centres a little outside the rows are followed too, so that a trace found there still
    // takes its pixels from the traces crossing it.
    const int margin = 16;
    std::vector<TraceHypothesis> hypotheses =
        voteTraces(response, std::max(0, from - margin), std::min(block.rows, to + margin),
                   limits.maxAmplitude);
    if (hypotheses.size() > MaxFollowed)
        hypotheses.resize(MaxFollowed);

    std::vector<TraceHypothesis> taken;
    std::vector<RefinedTrace> found;
    for (const TraceHypothesis &h : hypotheses) {
        if (near(taken, h))
            continue;
        std::optional<RefinedTrace> refined = refineTrace(response, h, taken);
        if (!refined || refined->coverage < MinCoverage)
            continue;
        const double amplitude = refined->trace.amplitude();
        if (amplitude < limits.minAmplitude || amplitude > limits.maxAmplitude ||
            near(taken, refined->trace))
            continue;
        taken.push_back(refined->trace);
        found.push_back(*refined);
    }

    for (const RefinedTrace &trace : found) {
        if (trace.trace.centre < from || trace.trace.centre >= to)
            continue;
        // The same fit again in the log's depths, which need not be evenly spaced.
        QList<PickPoint> points;
        points.reserve(trace.support.size());
        for (const PickPoint &p : trace.support)
            points.append({block.depthAt(p.depth), p.azimuth});
        Pick pick;
        pick.trace = fitSinusoid(points).sinusoid;
        pick.type = QStringLiteral("detected");
        pick.confidence =
            std::round(traceConfidence(trace.coverage, trace.contrast) * 1000.0) / 1000.0;
        picks.append(pick);
    }
    std::sort(picks.begin(), picks.end(),
              [](const Pick &x, const Pick &y) { return x.trace.depth < y.trace.depth; });
    return picks;
}

} // namespace kivo
