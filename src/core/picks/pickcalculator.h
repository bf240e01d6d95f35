// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"
#include "picks/holeorientation.h"
#include "picks/pick.h"
#include "picks/truedip.h"

#include <optional>

namespace kivo {

class ImageFile;

// Derives the values of picks in one open log: the diameter (the pick's own, else the bit size
// at its depth, else the fallback diameter the user gave), the apparent dip, the hole's
// orientation at the record nearest the pick's depth and the true dip.
class PickCalculator {
public:
    // file may be null (no orientation: the true values are undefined); it must outlive the
    // calculator.
    PickCalculator(const uniheader &header, bool feet, AzimuthReference reference, ImageFile *file,
                   int samplesPerLine);

    void setFallbackDiameter(std::optional<double> diameter) { m_fallbackDiameter = diameter; }
    std::optional<double> fallbackDiameter() const { return m_fallbackDiameter; }
    bool feet() const { return m_feet; }

    // The diameter a pick uses, nullopt when it has none.
    std::optional<double> diameter(const Pick &pick) const;
    // Throws KivoError when the data file cannot be read.
    PickValues values(const Pick &pick);

private:
    uniheader m_header; // a copy: the bit records it uses
    bool m_feet;
    AzimuthReference m_reference;
    std::optional<OrientationLookup> m_lookup;
    std::optional<double> m_fallbackDiameter;
};

} // namespace kivo
