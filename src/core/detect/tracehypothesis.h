// KIVO Log Viewer
#pragma once

#include <cmath>

namespace kivo {

// A trace in a block's own coordinates: row(φ) = centre + a·cos φ + b·sin φ, rows fractional,
// φ the image azimuth in radians.
struct TraceHypothesis {
    double centre = 0.0;
    double a = 0.0;
    double b = 0.0;
    float score = 0.0f; // the vote, or the confidence once refined

    double rowAt(double phi) const { return centre + a * std::cos(phi) + b * std::sin(phi); }
    double amplitude() const { return std::hypot(a, b); }
    // The root-mean-square distance between two traces along the hole, over the circumference.
    double distance(const TraceHypothesis &o) const
    {
        const double dc = centre - o.centre, da = a - o.a, db = b - o.b;
        return std::sqrt(dc * dc + (da * da + db * db) / 2.0);
    }
};

} // namespace kivo
