// KIVO Log Viewer
#include "plots/plotpick.h"

#include <algorithm>

namespace kivo {

bool PlotPick::hasPole() const
{
    return oriented && dip && (dipAzimuth || *dip == 0.0);
}

PlotPick plotPick(PickId id, const Pick &pick, const PickValues &values)
{
    PlotPick p;
    p.id = id;
    p.depth = pick.trace.depth;
    p.type = pick.type;
    p.holeDeviation = values.holeDeviation;
    p.holeAzimuth = values.holeAzimuth.value_or(0.0);
    if (values.trueDip) {
        p.oriented = true;
        p.dip = values.trueDip;
        p.dipAzimuth = values.trueDipAzimuth;
    } else {
        p.dip = values.apparentDip;
        if (values.apparentDip)
            p.dipAzimuth = values.apparentDipAzimuth;
    }
    return p;
}

std::vector<PlotPick> plotPicks(const PickSet &picks)
{
    std::vector<PlotPick> all;
    all.reserve(size_t(picks.count()));
    for (int row = 0; row < picks.count(); ++row)
        all.push_back(plotPick(picks.id(row), picks.pick(row), picks.values(row)));
    return all;
}

std::vector<PlotPick> plotPicks(const QList<Pick> &picks, const QList<PickValues> &values)
{
    std::vector<PlotPick> all;
    all.reserve(size_t(picks.size()));
    for (qsizetype i = 0; i < picks.size() && i < values.size(); ++i)
        all.push_back(plotPick(PickId(i + 1), picks[i], values[i]));
    return all;
}

bool PlotFilter::accepts(const PlotPick &pick) const
{
    if (!types.isEmpty() && !types.contains(pick.type.trimmed(), Qt::CaseInsensitive))
        return false;
    if (from && to) {
        const auto [low, high] = std::minmax(*from, *to);
        return pick.depth >= low && pick.depth <= high;
    }
    if (from)
        return pick.depth >= *from;
    if (to)
        return pick.depth <= *to;
    return true;
}

std::vector<PlotPick> filtered(const std::vector<PlotPick> &picks, const PlotFilter &filter)
{
    std::vector<PlotPick> kept;
    kept.reserve(picks.size());
    std::copy_if(picks.begin(), picks.end(), std::back_inserter(kept),
                 [&](const PlotPick &pick) { return filter.accepts(pick); });
    return kept;
}

} // namespace kivo
