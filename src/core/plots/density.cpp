// KIVO Log Viewer
#include "plots/density.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// The poles' directions, component by component so that the counting loop runs on vectors
// of floats, and their weights (summing to the poles' count).
struct WeightedPoles {
    std::vector<float> x, y, z, weights;
    size_t size() const { return weights.size(); }
};

WeightedPoles weightedPoles(const std::vector<PlotPick> &picks, bool weighted)
{
    WeightedPoles poles;
    double total = 0.0;
    for (const PlotPick &pick : picks) {
        if (!pick.hasPole())
            continue;
        const Direction d = directionOf(poleOf(*pick.dip, pick.poleAzimuth()));
        poles.x.push_back(float(d[0]));
        poles.y.push_back(float(d[1]));
        poles.z.push_back(float(d[2]));
        poles.weights.push_back(float(weighted ? terzaghiWeight(pick) : 1.0));
        total += poles.weights.back();
    }
    const double scale = total > 0.0 ? double(poles.size()) / total : 1.0;
    for (float &w : poles.weights)
        w = float(w * scale);
    return poles;
}

// The counting cone: cosine of its half-angle, and what turns a count into the density.
struct Counting {
    double cosine = 1.0;
    double unit = 1.0;
    double interval = 1.0;
};

Counting counting(DensityMethod method, size_t n)
{
    // A cap of half-angle θ covers 1 - cos θ of the hemisphere.
    const double count = double(n);
    if (method == DensityMethod::Kamb) {
        const double area = 9.0 / (count + 9.0);
        return {1.0 - area, std::sqrt(count * area * (1.0 - area)), 2.0};
    }
    return {0.99, count / 100.0, 1.0};
}

double densityAt(const WeightedPoles &poles, const Counting &c, const Direction &axis)
{
    const float ax = float(axis[0]), ay = float(axis[1]), az = float(axis[2]);
    // A pole exactly on the cone's rim may fall either side in floats; its count is a
    // measure of a cone drawn by hand anyway.
    const float limit = float(c.cosine);
    const size_t n = poles.size();
    const float *x = poles.x.data(), *y = poles.y.data(), *z = poles.z.data();
    const float *w = poles.weights.data();
    // Eight running sums, one per lane, which the compiler keeps in vector registers.
    constexpr size_t Lanes = 8;
    float sums[Lanes] = {};
    size_t i = 0;
    for (; i + Lanes <= n; i += Lanes)
        for (size_t k = 0; k < Lanes; ++k) {
            const float cosine = std::abs(x[i + k] * ax + y[i + k] * ay + z[i + k] * az);
            sums[k] += cosine >= limit ? w[i + k] : 0.0f;
        }
    double sum = 0.0;
    for (; i < n; ++i)
        if (std::abs(x[i] * ax + y[i] * ay + z[i] * az) >= limit)
            sum += w[i];
    for (float s : sums)
        sum += s;
    return c.unit > 0.0 ? sum / c.unit : 0.0;
}

} // namespace

double terzaghiWeight(const PlotPick &pick)
{
    if (!pick.holeDeviation || !pick.dip)
        return 1.0;
    const Direction pole = directionOf(poleOf(*pick.dip, pick.poleAzimuth()));
    // The hole's axis, pointing down the hole.
    const Direction hole = directionOf({pick.holeAzimuth, 90.0 - *pick.holeDeviation});
    // The plane meets the axis at α where sin α = |cos(pole, axis)|.
    const double sine = std::abs(pole[0] * hole[0] + pole[1] * hole[1] + pole[2] * hole[2]);
    return 1.0 / std::max(sine, 0.1);
}

NetPoint DensityGrid::node(int column, int row) const
{
    const double step = size > 1 ? 2.0 / (size - 1) : 0.0;
    return {-1.0 + column * step, 1.0 - row * step};
}

DensityGrid poleDensity(const std::vector<PlotPick> &picks, DensityMethod method, bool weighted,
                        int size)
{
    const WeightedPoles poles = weightedPoles(picks, weighted);
    const Counting c = counting(method, poles.size());
    DensityGrid grid;
    size = std::max(size, 3);
    grid.size = size;
    grid.interval = c.interval;
    grid.values.assign(size_t(size) * size_t(size), 0.0);
    if (poles.size() == 0)
        return grid;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            // Nodes just outside the primitive take the density at its edge, so that the
            // contours close along it.
            NetPoint p = grid.node(column, row);
            const double r = std::hypot(p.x, p.y);
            if (r > 1.0 + 2.0 / (size - 1))
                continue;
            if (r > 1.0)
                p = {p.x / r, p.y / r};
            grid.values[size_t(row) * size_t(size) + size_t(column)] =
                densityAt(poles, c, *unprojectPoint(p));
        }
    }
    return grid;
}

double poleDensityAt(const std::vector<PlotPick> &picks, const Direction &axis,
                     DensityMethod method, bool weighted)
{
    const WeightedPoles poles = weightedPoles(picks, weighted);
    return densityAt(poles, counting(method, poles.size()), axis);
}

} // namespace kivo
