// KIVO Log Viewer
// Arbitrary bytes as a pick's points, its diameter and the hole's orientation: read as doubles
// (so huge, tiny, NaN and infinite values all come) through the fit, the apparent dip and the
// true dip for both azimuth references. A fit refuses with KivoError; every value it or the
// dips give that is not undefined must be a finite number in its range, or it is a finding.
#include "kivoerror.h"
#include "picks/sinusoidfit.h"
#include "picks/truedip.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace kivo;

namespace {

void check(bool promise)
{
    if (!promise)
        std::abort();
}

class Doubles {
public:
    Doubles(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}
    bool atEnd() const { return m_size < sizeof(double); }
    double next()
    {
        double value = 0.0;
        if (!atEnd()) {
            std::memcpy(&value, m_data, sizeof value);
            m_data += sizeof value;
            m_size -= sizeof value;
        }
        return value;
    }
    // A byte: how many points there are, and the switches.
    uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

bool isAzimuth(double degrees)
{
    return degrees >= 0.0 && degrees < 360.0;
}

bool isDip(double degrees)
{
    return degrees >= 0.0 && degrees <= 90.0;
}

void checkTrueDip(const TrueDip &dip)
{
    check(!dip.dip || isDip(*dip.dip));
    check(!dip.azimuth || isAzimuth(*dip.azimuth));
    check(dip.dip || !dip.azimuth);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Doubles in(data, size);
    const uint8_t switches = in.byte();
    const int count = in.byte() % 64;
    const bool feet = switches & 1;
    const double diameter = in.next();
    const std::optional<double> deviation =
        switches & 2 ? std::nullopt : std::optional<double>(in.next());
    const double holeAzimuth = in.next();
    QList<PickPoint> points;
    while (points.size() < count && !in.atEnd()) {
        const double depth = in.next();
        points.append({depth, in.next()});
    }

    double amplitude = in.next();
    double trough = in.next();
    try {
        const SinusoidFit fit = fitSinusoid(points);
        check(std::isfinite(fit.sinusoid.depth));
        check(std::isfinite(fit.sinusoid.amplitude) && fit.sinusoid.amplitude >= 0.0);
        check(isAzimuth(fit.sinusoid.troughAzimuth));
        check(std::isfinite(fit.residual) && fit.residual >= 0.0);
        amplitude = fit.sinusoid.amplitude;
        trough = fit.sinusoid.troughAzimuth;
    } catch (const KivoError &error) {
        check(!error.text().isEmpty());
    }

    const std::optional<double> apparent = apparentDip(amplitude, diameter, feet);
    check(!apparent || isDip(std::abs(*apparent)));
    for (const AzimuthReference reference : {AzimuthReference::North, AzimuthReference::LowSide}) {
        checkTrueDip(
            trueDip(apparent.value_or(amplitude), trough, deviation, holeAzimuth, reference));
    }
    return 0;
}
