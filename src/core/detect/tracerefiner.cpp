// KIVO Log Viewer
#include "detect/tracerefiner.h"

#include "kivoerror.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kivo {

namespace {

constexpr double Radian = 3.14159265358979323846 / 180.0;
// The half-heights of the band searched about the trace in records, one a pass.
constexpr std::array<double, 4> Bands = {6.0, 4.0, 3.0, 2.5};
// A column supports the trace when its line response reaches this (noise units).
constexpr float SupportLevel = 3.0f;
// A pixel this near (records) a trace already taken belongs to it.
constexpr double TakenBand = 3.5;
// Points farther than this from the first fit (records) are dropped before the second.
constexpr double Outlier = 2.5;

double phiOf(int column)
{
    return (column + 0.5) * Radian;
}

QList<PickPoint> follow(const LineResponse &response, const TraceHypothesis &trace, double band,
                        const std::vector<TraceHypothesis> &taken, double &contrast)
{
    QList<PickPoint> points;
    contrast = 0.0;
    for (int c = 0; c < WallBlock::Columns; ++c) {
        const double phi = phiOf(c);
        const double centre = trace.rowAt(phi);
        const int low = std::max(1, int(std::ceil(centre - band)));
        const int high = std::min(response.rows - 2, int(std::floor(centre + band)));
        int best = -1;
        float strongest = SupportLevel;
        for (int r = low; r <= high; ++r) {
            if (response.at(c, r) >= strongest) {
                strongest = response.at(c, r);
                best = r;
            }
        }
        if (best < 0)
            continue;
        if (std::any_of(taken.begin(), taken.end(), [&](const TraceHypothesis &t) {
                return std::abs(t.rowAt(phi) - best) <= TakenBand;
            }))
            continue;
        // The peak between rows, from the parabola through it and its neighbours.
        const float up = response.at(c, best - 1), down = response.at(c, best + 1);
        const float curvature = up - 2.0f * strongest + down;
        const double shift =
            curvature < 0.0f ? std::clamp(0.5 * (up - down) / curvature, -0.5, 0.5) : 0.0;
        points.append({best + shift, phiOf(c) / Radian});
        contrast += std::min(strongest, 20.0f);
    }
    if (!points.isEmpty())
        contrast /= double(points.size());
    return points;
}

std::optional<TraceHypothesis> fit(const QList<PickPoint> &points)
{
    try {
        const Sinusoid s = fitSinusoid(points).sinusoid;
        TraceHypothesis h;
        h.centre = s.depth;
        h.a = s.a();
        h.b = s.b();
        return h;
    } catch (const KivoError &) {
        return std::nullopt; // fewer than three azimuths: nothing to follow
    }
}

} // namespace

std::optional<RefinedTrace> refineTrace(const LineResponse &response, TraceHypothesis trace,
                                        const std::vector<TraceHypothesis> &taken)
{
    RefinedTrace refined;
    for (double band : Bands) {
        QList<PickPoint> points = follow(response, trace, band, taken, refined.contrast);
        // Too little for a trace over most of the circumference: not worth fitting.
        if (points.size() < WallBlock::Columns / 4)
            return std::nullopt;
        std::optional<TraceHypothesis> first = fit(points);
        if (!first)
            return std::nullopt;
        QList<PickPoint> kept;
        for (const PickPoint &p : points) {
            if (std::abs(first->rowAt(p.azimuth * Radian) - p.depth) <= Outlier)
                kept.append(p);
        }
        std::optional<TraceHypothesis> second = fit(kept);
        if (!second)
            return std::nullopt;
        trace = *second;
        refined.support = kept;
    }
    refined.trace = trace;
    refined.support = follow(response, trace, Bands.back(), taken, refined.contrast);
    refined.coverage = double(refined.support.size()) / WallBlock::Columns;
    return refined;
}

} // namespace kivo
