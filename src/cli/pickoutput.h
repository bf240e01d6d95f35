// KIVO Log Viewer
#pragma once

#include "cli/jsonwriter.h"
#include "cli/openedlog.h"
#include "picks/pickcalculator.h"

#include <QCommandLineParser>

#include <optional>

namespace kivo::cli {

// Reads --diameter: a positive number with "." decimals. On failure prints a usage error.
bool diameterOption(const QCommandLineParser &parser, std::optional<double> &diameter);

// Derives the values of every pick; a pick without a diameter is refused with its depth named.
// On failure prints why and returns false (exit 2).
bool pickValues(PickCalculator &calculator, const QList<Pick> &picks, QList<PickValues> &values,
                const QString &unitSuffix);

// The keys of one pick: Depth, Amplitude, TroughAzimuth, Diameter, ApparentDip,
// ApparentDipAzimuth, then Record when withRecord, then HoleDeviation, HoleAzimuth, TrueDip,
// TrueDipAzimuth. Undefined values are null.
void writePickJson(JsonWriter &json, const Pick &pick, const PickValues &values, bool withRecord);

} // namespace kivo::cli
