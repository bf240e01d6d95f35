// KIVO Log Viewer
#include "plots/projection.h"

#include "picks/sinusoid.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace kivo {

Line poleOf(double dip, double dipAzimuth)
{
    return {normalizedAzimuth(dipAzimuth + 180.0), 90.0 - dip};
}

Direction directionOf(const Line &line)
{
    const double trend = qDegreesToRadians(line.trend);
    const double plunge = qDegreesToRadians(line.plunge);
    return {std::cos(plunge) * std::sin(trend), std::cos(plunge) * std::cos(trend),
            -std::sin(plunge)};
}

Line lineOf(const Direction &direction)
{
    Direction d = direction;
    if (d[2] > 0.0)
        d = {-d[0], -d[1], -d[2]};
    const double horizontal = std::hypot(d[0], d[1]);
    const double trend = horizontal > 0.0 ? qRadiansToDegrees(std::atan2(d[0], d[1])) : 0.0;
    return {normalizedAzimuth(trend), qRadiansToDegrees(std::atan2(-d[2], horizontal))};
}

NetPoint projectLine(const Line &line)
{
    const double r =
        std::sqrt(2.0) * std::sin(qDegreesToRadians(90.0 - std::abs(line.plunge)) / 2.0);
    // An upward line's lower end trends the other way.
    const double trend = qDegreesToRadians(line.plunge < 0.0 ? line.trend + 180.0 : line.trend);
    return {r * std::sin(trend), r * std::cos(trend)};
}

NetPoint projectDirection(const Direction &direction)
{
    Direction d = direction;
    if (d[2] > 1e-12)
        d = {-d[0], -d[1], -d[2]};
    const double horizontal = std::hypot(d[0], d[1]);
    if (horizontal == 0.0)
        return {};
    // The angle from the downward vertical theta, at r = sqrt(2) * sin(theta / 2).
    const double theta = std::atan2(horizontal, -d[2]);
    const double r = std::sqrt(2.0) * std::sin(theta / 2.0);
    return {r * d[0] / horizontal, r * d[1] / horizontal};
}

std::optional<Direction> unprojectPoint(const NetPoint &point)
{
    // A point on the primitive may come out a rounding step beyond it.
    const double r = std::min(std::hypot(point.x, point.y), 1.0);
    if (!(std::hypot(point.x, point.y) <= 1.0 + 1e-9))
        return std::nullopt;
    const double theta = 2.0 * std::asin(r / std::sqrt(2.0));
    const double trend = std::atan2(point.x, point.y);
    return Direction{std::sin(theta) * std::sin(trend), std::sin(theta) * std::cos(trend),
                     -std::cos(theta)};
}

std::vector<NetPoint> greatCircle(double dip, double dipAzimuth, int steps)
{
    // The plane's lines from the strike (dip azimuth - 90, horizontal) through the dip line to
    // the other strike: rake rho gives the direction cos(rho) * strike + sin(rho) * dipLine.
    const Direction strike = directionOf({dipAzimuth - 90.0, 0.0});
    const Direction dipLine = directionOf({dipAzimuth, dip});
    std::vector<NetPoint> points;
    points.reserve(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double rho = M_PI * i / steps;
        Direction d;
        for (int k = 0; k < 3; ++k)
            d[size_t(k)] = std::cos(rho) * strike[size_t(k)] + std::sin(rho) * dipLine[size_t(k)];
        points.push_back(projectDirection(d));
    }
    return points;
}

} // namespace kivo
