// KIVO Log Viewer
#pragma once

#include "detect/lineresponse.h"
#include "detect/tracehypothesis.h"

#include <vector>

namespace kivo {

// A voting transform over sinusoids: the line response, reduced to 4 records by 4 degrees,
// summed along every trace of a grid of amplitudes (up to maxAmplitude records) and trough
// azimuths, for every centre row from `from` to `to` (rows of the response). Returns the
// strongest traces, distinct from one another, best first; the order is the same on every run.
std::vector<TraceHypothesis> voteTraces(const LineResponse &response, int from, int to,
                                        double maxAmplitude);

} // namespace kivo
