// KIVO Log Viewer
#pragma once

namespace kivo {

// A planar feature cutting the borehole shows on the unrolled image as one period of a
// sinusoid: d(φ) = c + a·cos φ + b·sin φ, with φ the image azimuth. It is held as the depth c,
// the amplitude √(a² + b²) (half the peak-to-trough height, log depth unit) and the trough
// azimuth atan2(b, a), the azimuth of its deepest point, in degrees [0, 360).
struct Sinusoid {
    double depth = 0.0;
    double amplitude = 0.0;
    double troughAzimuth = 0.0;

    static Sinusoid fromCoefficients(double c, double a, double b);
    double a() const;
    double b() const;
    // The trace's depth at an image azimuth in degrees.
    double depthAt(double azimuth) const;
};

// Image azimuth in degrees of the centre of screen column j (0 to 719 across the image), left
// to right, clockwise looking down the hole; and the column (fractional) of an azimuth.
inline double columnAzimuth(double column)
{
    return (column + 0.5) / 2.0;
}
inline double azimuthColumn(double azimuth)
{
    return 2.0 * azimuth - 0.5;
}

// An azimuth in degrees brought into [0, 360).
double normalizedAzimuth(double degrees);

// The trace d = c + A·cos(φ − φ0) with the phase φ and trough φ0 in radians. It is evaluated
// as c + A·sin(φ + π/2 − φ0), in that order of operations: the demonstration log has always
// been drawn so, and its images stay the same to the byte.
double sinusoidDepth(double depth, double amplitude, double troughRadians, double phaseRadians);

} // namespace kivo
