// KIVO Log Viewer
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace kivo {

// A direction in space as a unit vector (east, north, up).
using Direction = std::array<double, 3>;

// A point of the stereonet in units of the net's radius: East to the right (x), North up (y).
struct NetPoint {
    double x = 0.0;
    double y = 0.0;
};

// A line by its trend (degrees clockwise from North) and plunge (degrees below horizontal).
struct Line {
    double trend = 0.0;
    double plunge = 0.0;
};

// The pole of a plane dipping dip degrees toward dipAzimuth: the normal's lower end, trend
// dipAzimuth + 180 (in [0, 360)), plunge 90 - dip.
Line poleOf(double dip, double dipAzimuth);

Direction directionOf(const Line &line);
// The line of a direction, taken at its lower end (an axis has two).
Line lineOf(const Direction &direction);

// The lower-hemisphere equal-area (Schmidt) projection: r = sqrt(2) * sin((90 - plunge) / 2)
// along the trend. Lines pointing up are taken at their lower end.
NetPoint projectLine(const Line &line);
// The same for a unit direction: as it is when it points down or is level (within rounding), so
// that a level line keeps its own end on the primitive, otherwise at its lower end.
NetPoint projectDirection(const Direction &direction);
// The lower-hemisphere direction a point of the net shows; nullopt outside the primitive.
std::optional<Direction> unprojectPoint(const NetPoint &point);

// The plane's trace on the lower hemisphere, from strike to strike through the dip direction,
// as a polyline of steps + 1 points.
std::vector<NetPoint> greatCircle(double dip, double dipAzimuth, int steps = 90);

} // namespace kivo
