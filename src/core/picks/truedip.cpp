// KIVO Log Viewer
#include "picks/truedip.h"

#include "picks/sinusoid.h"

#include <cmath>

namespace kivo {

namespace {

constexpr double Radian = 3.14159265358979323846 / 180.0;
// Below this length a projected or horizontal vector has no direction.
constexpr double NoDirection = 1e-9;

struct Vec3 {
    double x, y, z; // east, north, up

    Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double f) const { return {x * f, y * f, z * f}; }
    double dot(const Vec3 &o) const { return x * o.x + y * o.y + z * o.z; }
    double length() const { return std::sqrt(dot(*this)); }
    Vec3 cross(const Vec3 &o) const
    {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
};

} // namespace

std::optional<double> apparentDip(double amplitude, double diameter, bool feet)
{
    if (!std::isfinite(amplitude) || !std::isfinite(diameter) || amplitude < 0.0 ||
        !(diameter > 0.0))
        return std::nullopt;
    const double k = feet ? 12.0 : 1000.0;
    return std::atan(2.0 * amplitude * k / diameter) / Radian;
}

TrueDip trueDip(double apparentDip, double apparentAzimuth, std::optional<double> holeDeviation,
                double holeAzimuth, AzimuthReference reference)
{
    if (!holeDeviation || !(apparentDip >= 0.0 && apparentDip <= 90.0))
        return {};
    for (const double value : {apparentDip, apparentAzimuth, *holeDeviation, holeAzimuth}) {
        if (!std::isfinite(value))
            return {};
    }
    const double delta = *holeDeviation * Radian;
    const double beta = holeAzimuth * Radian;
    const Vec3 t{std::sin(delta) * std::sin(beta), std::sin(delta) * std::cos(beta),
                 -std::cos(delta)};
    const Vec3 towards = reference == AzimuthReference::North ? Vec3{0, 1, 0} : Vec3{0, 0, -1};
    const Vec3 projected = towards - t * towards.dot(t);
    if (projected.length() < NoDirection) {
        // Down along the axis: the hole is vertical, and the angle to its axis is the dip.
        if (reference == AzimuthReference::LowSide)
            return {apparentDip, std::nullopt};
        return {};
    }
    const Vec3 r0 = projected * (1.0 / projected.length());
    const double phi = apparentAzimuth * Radian;
    const Vec3 r = r0 * std::cos(phi) + t.cross(r0) * std::sin(phi);
    Vec3 n = t - r * std::tan(apparentDip * Radian);
    if (n.z < 0.0)
        n = n * -1.0;
    TrueDip result;
    result.dip = std::acos(std::min(1.0, n.z / n.length())) / Radian;
    if (std::hypot(n.x, n.y) >= NoDirection * n.length())
        result.azimuth = normalizedAzimuth(std::atan2(n.x, n.y) / Radian);
    return result;
}

} // namespace kivo
