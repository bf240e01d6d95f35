// KIVO Log Viewer
#include "picks/sinusoidfit.h"

#include "kivoerror.h"

#include <array>
#include <cmath>

namespace kivo {

namespace {

constexpr double Radian = 3.14159265358979323846 / 180.0;
// Azimuths closer than this (degrees) count as one.
constexpr double SameAzimuth = 1e-9;

using Row = std::array<double, 4>; // three coefficients and the right-hand side

int distinctAzimuths(const QList<PickPoint> &points)
{
    QList<double> seen;
    for (const PickPoint &point : points) {
        const double azimuth = normalizedAzimuth(point.azimuth);
        bool known = false;
        for (double other : seen) {
            const double gap = std::abs(azimuth - other);
            known = known || std::min(gap, 360.0 - gap) < SameAzimuth;
        }
        if (!known)
            seen.append(azimuth);
    }
    return int(seen.size());
}

// Solves the 3 x 3 normal equations by elimination with partial pivoting. Three different
// azimuths make them regular: three points of a circle are never on one line.
std::array<double, 3> solve(std::array<Row, 3> m)
{
    for (size_t col = 0; col < 3; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < 3; ++r) {
            if (std::abs(m[r][col]) > std::abs(m[pivot][col]))
                pivot = r;
        }
        std::swap(m[col], m[pivot]);
        for (size_t r = col + 1; r < 3; ++r) {
            const double f = m[r][col] / m[col][col];
            for (size_t k = col; k < 4; ++k)
                m[r][k] -= f * m[col][k];
        }
    }
    std::array<double, 3> x{};
    for (size_t i = 3; i-- > 0;) {
        double sum = m[i][3];
        for (size_t k = i + 1; k < 3; ++k)
            sum -= m[i][k] * x[k];
        x[i] = sum / m[i][i];
    }
    return x;
}

} // namespace

SinusoidFit fitSinusoid(const QList<PickPoint> &points)
{
    if (points.size() < 3)
        throw KivoError(
            QStringLiteral("a pick needs at least three points, not %1").arg(points.size()));
    for (const PickPoint &point : points) {
        if (!std::isfinite(point.depth) || !std::isfinite(point.azimuth))
            throw KivoError(QStringLiteral("a pick's depths and azimuths must be numbers"));
    }
    if (distinctAzimuths(points) < 3)
        throw KivoError(QStringLiteral("a pick needs points at three different azimuths at least"));

    // Depths relative to their mean, so that a feature at 1500 m keeps its millimetres.
    double mean = 0.0;
    for (const PickPoint &point : points)
        mean += point.depth / double(points.size());
    std::array<Row, 3> normal{};
    for (const PickPoint &point : points) {
        const double basis[3] = {1.0, std::cos(point.azimuth * Radian),
                                 std::sin(point.azimuth * Radian)};
        for (size_t r = 0; r < 3; ++r) {
            for (size_t k = 0; k < 3; ++k)
                normal[r][k] += basis[r] * basis[k];
            normal[r][3] += basis[r] * (point.depth - mean);
        }
    }
    const std::array<double, 3> x = solve(normal);
    SinusoidFit fit{Sinusoid::fromCoefficients(mean + x[0], x[1], x[2]), 0.0};
    double squares = 0.0;
    for (const PickPoint &point : points) {
        const double r = point.depth - fit.sinusoid.depthAt(point.azimuth);
        squares += r * r;
    }
    fit.residual = std::sqrt(squares / double(points.size()));
    if (!std::isfinite(fit.sinusoid.depth) || !std::isfinite(fit.sinusoid.amplitude) ||
        !std::isfinite(fit.residual))
        throw KivoError(QStringLiteral("no trace fits these points: their azimuths are too close "
                                       "together or their depths too far apart"));
    return fit;
}

} // namespace kivo
