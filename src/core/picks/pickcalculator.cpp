// KIVO Log Viewer
#include "picks/pickcalculator.h"

#include "picks/boreholediameter.h"

namespace kivo {

PickCalculator::PickCalculator(const uniheader &header, bool feet, AzimuthReference reference,
                               ImageFile *file, int samplesPerLine)
    : m_header(header)
    , m_feet(feet)
    , m_reference(reference)
{
    if (file)
        m_lookup.emplace(*file, samplesPerLine);
}

std::optional<double> PickCalculator::diameter(const Pick &pick) const
{
    if (pick.diameter)
        return pick.diameter;
    if (const auto bit = bitSizeAt(m_header, pick.trace.depth))
        return bit;
    return m_fallbackDiameter;
}

PickValues PickCalculator::values(const Pick &pick)
{
    PickValues v;
    v.diameter = diameter(pick);
    v.apparentDipAzimuth = pick.trace.troughAzimuth;
    if (v.diameter)
        v.apparentDip = apparentDip(pick.trace.amplitude, *v.diameter, m_feet);
    const std::optional<HoleOrientation> hole =
        m_lookup ? m_lookup->at(pick.trace.depth) : std::nullopt;
    if (hole) {
        v.record = hole->record;
        v.holeDeviation = hole->deviation;
        v.holeAzimuth = hole->azimuth;
    }
    if (hole && v.apparentDip) {
        const TrueDip dip = trueDip(*v.apparentDip, v.apparentDipAzimuth, hole->deviation,
                                    hole->azimuth, m_reference);
        v.trueDip = dip.dip;
        v.trueDipAzimuth = dip.azimuth;
    }
    return v;
}

} // namespace kivo
