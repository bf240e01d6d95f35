// KIVO Log Viewer
#pragma once

#include "detect/lineresponse.h"
#include "detect/tracehypothesis.h"
#include "picks/sinusoidfit.h"

#include <QList>

#include <optional>
#include <vector>

namespace kivo {

// A trace fitted to the pixels that support it.
struct RefinedTrace {
    TraceHypothesis trace;    // block rows
    QList<PickPoint> support; // rows and azimuths (degrees) of the supporting pixels
    double coverage = 0.0;    // the fraction of the circumference they cover
    double contrast = 0.0;    // their mean line response, in noise units
};

// Follows a hypothesis on the full-resolution response: in every one-degree column the
// strongest dark line near the trace supports it, unless a trace already taken passes there;
// the trace is fitted to its support by least squares, the farthest points dropped, and
// followed again in a narrower band. nullopt when too little supports it to fit.
std::optional<RefinedTrace> refineTrace(const LineResponse &response, TraceHypothesis trace,
                                        const std::vector<TraceHypothesis> &taken);

} // namespace kivo
