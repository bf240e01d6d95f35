// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"

#include <QString>

#include <optional>

namespace kivo {

// The bit size BitRec (millimetres for metric logs, inches for feet logs) of the first run in
// use (RunNo not 0) whose BitRecFrom..BitRecTo, in either order and ends included, holds the
// depth. A run whose bit size is not positive has none and is passed over. nullopt when no run
// holds the depth.
std::optional<double> bitSizeAt(const uniheader &header, double depth);

// The unit of a diameter: "mm" for metric logs, "in" for feet logs.
inline QString diameterUnit(bool feet)
{
    return feet ? QStringLiteral("in") : QStringLiteral("mm");
}

} // namespace kivo
