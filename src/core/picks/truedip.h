// KIVO Log Viewer
#pragma once

#include <optional>

namespace kivo {

// The image's azimuth reference: North (the N E S W strip) or the hole's low side (D L U R).
enum class AzimuthReference { North = 1, LowSide = 2 };

// The angle in degrees between a feature's plane and the plane across the hole, from the trace's
// amplitude (log unit) and the hole's diameter (millimetres for a metric log, inches for feet):
// atan(2 · amplitude · k / diameter), k = 1000 or 12, 0 to 90. nullopt for a diameter that is
// not positive, a negative amplitude, and values that are not finite numbers.
std::optional<double> apparentDip(double amplitude, double diameter, bool feet);

struct TrueDip {
    std::optional<double> dip;     // degrees from horizontal, 0 to 90
    std::optional<double> azimuth; // dip direction, degrees clockwise from North, [0, 360)
};

// The feature's true dip and dip direction from its apparent dip and apparent dip azimuth (the
// trough's image azimuth) and the hole's deviation from vertical and azimuth, all in degrees.
// Worked with vectors (east, north, up): the hole axis t, pointing down the hole; the image's
// reference r0, North or Down projected onto the plane across t; the azimuth φ's direction
// r(φ) = cos φ · r0 + sin φ · (t × r0); the plane's normal t − tan(apparent) · r(trough), turned
// to point up. Undefined (nullopt): both values without a deviation, or when r0 does not exist
// for a North reference (a horizontal hole along North–South); the azimuth for a low-side
// reference in a vertical hole (the dip is then the apparent dip) and for a level plane; both
// values when any value given is not a finite number or the apparent dip is outside 0 to 90.
TrueDip trueDip(double apparentDip, double apparentAzimuth, std::optional<double> holeDeviation,
                double holeAzimuth, AzimuthReference reference);

} // namespace kivo
