// KIVO Log Viewer
#pragma once

#include "demo/tracedwall.h"
#include "picks/pick.h"

#include <QList>

namespace kivo {

// How well candidates found the traces planted on a generated wall. A planted trace is found
// by a candidate within 15 mm of its centre depth, within 20 % + 3 mm of its amplitude and,
// for amplitudes over 8 mm, within 20 degrees of its trough azimuth; each candidate finds one
// trace at most, and each trace is found once.
struct TraceMatch {
    int planted = 0;
    int candidates = 0;
    int found = 0;

    double recall() const { return planted == 0 ? 1.0 : double(found) / planted; }
    double precision() const { return candidates == 0 ? 1.0 : double(found) / candidates; }
};

// Depths and amplitudes of both lists in metres.
bool findsTrace(const Sinusoid &candidate, const Sinusoid &planted);
TraceMatch matchTraces(const QList<PlantedTrace> &planted, const QList<Pick> &candidates);

} // namespace kivo
