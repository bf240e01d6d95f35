// KIVO Log Viewer
#include "picks/sinusoid.h"

#include <cmath>

namespace kivo {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Radian = Pi / 180.0;

} // namespace

double normalizedAzimuth(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    const double result = wrapped < 0.0 ? wrapped + 360.0 : wrapped;
    return result >= 360.0 ? 0.0 : result; // -1e-20 + 360 rounds to 360
}

Sinusoid Sinusoid::fromCoefficients(double c, double a, double b)
{
    return {c, std::hypot(a, b), normalizedAzimuth(std::atan2(b, a) / Radian)};
}

double Sinusoid::a() const
{
    return amplitude * std::cos(troughAzimuth * Radian);
}

double Sinusoid::b() const
{
    return amplitude * std::sin(troughAzimuth * Radian);
}

double Sinusoid::depthAt(double azimuth) const
{
    return sinusoidDepth(depth, amplitude, troughAzimuth * Radian, azimuth * Radian);
}

double sinusoidDepth(double depth, double amplitude, double troughRadians, double phaseRadians)
{
    return depth + amplitude * std::sin(phaseRadians + Pi / 2.0 - troughRadians);
}

} // namespace kivo
