// KIVO Log Viewer
#include "plots/fisher.h"

#include "picks/sinusoid.h"

#include <cmath>

namespace kivo {

namespace {

Direction sumAlong(const std::vector<Direction> &poles, const Direction &reference)
{
    Direction sum{0.0, 0.0, 0.0};
    for (const Direction &d : poles) {
        const double sign =
            d[0] * reference[0] + d[1] * reference[1] + d[2] * reference[2] < 0.0 ? -1.0 : 1.0;
        for (size_t k = 0; k < 3; ++k)
            sum[k] += sign * d[k];
    }
    return sum;
}

// The axis the poles gather about: the principal eigenvector of their orientation tensor
// T = sum of d d^T, by power iteration from the coordinate axis T stretches most.
Direction principalAxis(const std::vector<Direction> &poles)
{
    double t[3][3] = {};
    for (const Direction &d : poles)
        for (size_t i = 0; i < 3; ++i)
            for (size_t j = 0; j < 3; ++j)
                t[i][j] += d[i] * d[j];
    const auto apply = [&t](const Direction &v) {
        Direction w{0.0, 0.0, 0.0};
        for (size_t i = 0; i < 3; ++i)
            for (size_t j = 0; j < 3; ++j)
                w[i] += t[i][j] * v[j];
        return w;
    };
    const auto length = [](const Direction &v) {
        return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    };
    size_t largest = 0;
    for (size_t axis = 1; axis < 3; ++axis)
        if (t[axis][axis] > t[largest][largest])
            largest = axis;
    Direction v{0.0, 0.0, 0.0};
    v[largest] = 1.0;
    for (int i = 0; i < 100; ++i) {
        const Direction w = apply(v);
        const double n = length(w);
        if (n == 0.0)
            break;
        v = {w[0] / n, w[1] / n, w[2] / n};
    }
    return v;
}

} // namespace

std::optional<MeanPole> meanPole(const std::vector<PlotPick> &picks)
{
    std::vector<Direction> poles;
    for (const PlotPick &pick : picks)
        if (pick.hasPole())
            poles.push_back(directionOf(poleOf(*pick.dip, pick.poleAzimuth())));
    if (poles.empty())
        return std::nullopt;
    // Each pole at the end nearer the axis they gather about: poles near the horizontal fall
    // on both sides of the primitive and must not cancel.
    const Direction sum = sumAlong(poles, principalAxis(poles));
    MeanPole mean;
    mean.count = int(poles.size());
    mean.resultant = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
    if (mean.resultant > 0.0)
        mean.pole =
            lineOf({sum[0] / mean.resultant, sum[1] / mean.resultant, sum[2] / mean.resultant});
    mean.dip = 90.0 - mean.pole.plunge;
    mean.dipAzimuth = normalizedAzimuth(mean.pole.trend + 180.0);
    const double n = double(mean.count);
    if (mean.count > 1 && n - mean.resultant > 1e-12 * n)
        mean.fisherK = (n - 1.0) / (n - mean.resultant);
    return mean;
}

} // namespace kivo
