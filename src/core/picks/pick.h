// KIVO Log Viewer
#pragma once

#include "picks/sinusoid.h"

#include <QString>

#include <optional>

namespace kivo {

// One planar feature picked on the image, as the picks file keeps it: its trace, its own
// diameter if the user gave one, its type and comment. Everything else is derived from these
// and the log (PickValues).
struct Pick {
    Sinusoid trace;
    std::optional<double> diameter; // mm for metric logs, inches for feet logs
    QString type = QStringLiteral("other");
    QString comment;
    std::optional<double> confidence; // written by automatic detection, kept as it is

    bool operator==(const Pick &o) const
    {
        return trace.depth == o.trace.depth && trace.amplitude == o.trace.amplitude &&
               trace.troughAzimuth == o.trace.troughAzimuth && diameter == o.diameter &&
               type == o.type && comment == o.comment && confidence == o.confidence;
    }
    bool operator!=(const Pick &o) const { return !(*this == o); }
};

// What a pick means in its log. Undefined values are nullopt.
struct PickValues {
    std::optional<double> diameter; // the one used: the pick's own or the bit size at its depth
    std::optional<double> apparentDip;
    double apparentDipAzimuth = 0.0; // the trough azimuth, image reference
    std::optional<qint64> record;    // the record whose orientation was used
    std::optional<double> holeDeviation;
    std::optional<double> holeAzimuth;
    std::optional<double> trueDip;
    std::optional<double> trueDipAzimuth;
};

} // namespace kivo
