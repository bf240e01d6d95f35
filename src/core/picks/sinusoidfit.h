// KIVO Log Viewer
#pragma once

#include "picks/sinusoid.h"

#include <QList>

namespace kivo {

// A point the user put on a feature's trace: its depth (log unit) and image azimuth (degrees).
struct PickPoint {
    double depth = 0.0;
    double azimuth = 0.0;
};

struct SinusoidFit {
    Sinusoid sinusoid;
    double residual = 0.0; // RMS of the depth residuals, log unit
};

// Least-squares fit of d(φ) = c + a·cos φ + b·sin φ through the points. Throws KivoError for
// fewer than three points, fewer than three different azimuths (taken modulo 360), values
// that are not finite numbers, and points whose trace is no finite number (azimuths so close
// that the equations are singular, or depths so far apart that their sums overflow).
SinusoidFit fitSinusoid(const QList<PickPoint> &points);

} // namespace kivo
