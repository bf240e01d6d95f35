// KIVO Log Viewer
#pragma once

#include "picks/pick.h"
#include "picks/pickset.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kivo {

// A pick as the plots show it: its depth, type and orientation. With a true dip it is oriented
// (the tadpole is filled, and it has a pole when its dip azimuth is known or it is level);
// otherwise the apparent dip and azimuth are all there is (an open tadpole, no pole: the
// apparent azimuth is measured on the image, not from North).
struct PlotPick {
    PickId id = 0;
    double depth = 0.0;
    QString type;
    bool oriented = false;
    std::optional<double> dip;        // true when oriented, else apparent
    std::optional<double> dipAzimuth; // likewise; nullopt for a level plane or unknown
    std::optional<double> holeDeviation;
    double holeAzimuth = 0.0;

    // The pole's plane on the net: oriented with a dip azimuth, or level.
    bool hasPole() const;
    // dipAzimuth, or 0 for a level plane whose azimuth means nothing.
    double poleAzimuth() const { return dipAzimuth.value_or(0.0); }
};

PlotPick plotPick(PickId id, const Pick &pick, const PickValues &values);
std::vector<PlotPick> plotPicks(const PickSet &picks);
// Picks and values read elsewhere (kivo); the ids are their positions from 1.
std::vector<PlotPick> plotPicks(const QList<Pick> &picks, const QList<PickValues> &values);

// Which picks a plot shows: types (compared case-insensitively; empty: all) and a depth range
// (either way round; none: the whole log).
struct PlotFilter {
    QStringList types;
    std::optional<double> from;
    std::optional<double> to;

    bool accepts(const PlotPick &pick) const;
};

std::vector<PlotPick> filtered(const std::vector<PlotPick> &picks, const PlotFilter &filter);

} // namespace kivo
