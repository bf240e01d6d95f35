// KIVO Log Viewer
#pragma once

#include "detect/wallblock.h"
#include "picks/pick.h"

#include <QList>

namespace kivo {

// The limits of the traces searched for, in records along the hole.
struct TraceLimits {
    double minAmplitude = 2.0;
    double maxAmplitude = 272.0;
};

// The traces of a block whose centres lie in its rows from .. to - 1, as "detected" picks in
// the log's depths with their confidence, sorted by depth. The rows around them give the
// traces that reach into them; the result depends on the block alone.
QList<Pick> detectInBlock(const WallBlock &block, int from, int to, const TraceLimits &limits);

// The confidence of a trace from the fraction of the circumference it covers and its mean line
// response (noise units): 0 at the least a trace may show, 1 for a clear whole one.
double traceConfidence(double coverage, double contrast);

} // namespace kivo
