// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QByteArray>
#include <QList>

namespace kivo {

// The picks file: CSV (RFC 4180), UTF-8, "." decimals, a header row, then one pick a line in
// the columns Depth, Amplitude, TroughAzimuth, Diameter, ApparentDip, ApparentDipAzimuth,
// HoleDeviation, HoleAzimuth, TrueDip, TrueDipAzimuth, Type, Comment, and Confidence when a
// pick has one. Undefined values are empty fields.

// Reads the picks. Columns are found by header name, in any order and case; only Depth,
// Amplitude, TroughAzimuth (required), Diameter (empty: from the bit records), Type (empty:
// "other"), Comment and Confidence are read, the rest are derived and recomputed, unknown
// columns are ignored. Throws KivoError("line N: ...") for the first bad line.
QList<Pick> readPicksCsv(const QByteArray &bytes);

// Writes the picks with their values (one for each pick, in the same order); the Confidence
// column when a pick has one, or always when withConfidence.
QByteArray writePicksCsv(const QList<Pick> &picks, const QList<PickValues> &values,
                         bool withConfidence = false);

} // namespace kivo
