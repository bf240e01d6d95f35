// KIVO Log Viewer
#pragma once

#include "log/timageline.h"

#include <QLocale>
#include <QString>

namespace kivo {

class IniFile;

// The suffix of depths in a depth unit: "m" for 0 (metres), "ft" for any other unit (feet).
QString depthUnitSuffix(int depthUnit);

// What the open command reads from the header for itself: the data layout and how to show it.
struct LogLayout {
    static constexpr int MaxSamplesPerLine = 65536;

    int SamplesPerLine = 0;  // "Channel1"/"SampleCount"
    int LogDirection = 1;    // 1 bottom-up, 2 top-down, from "WellInfo"/"LogMode"
    int OrientationMode = 1; // 1 compass strip N E S W, 2 strip D L U R
    int DepthUnit = 0;       // "WellInfo"/"DepthUnit": 0 metres, otherwise feet
    double Step = 1.0;       // "WellInfo"/"step", read and checked, not used further
    double LogStartDepth = 0.0;
    double LogEndDepth = 0.0;

    qint64 recordSize() const { return TImageLine::recordSize(SamplesPerLine); }
    QString unitSuffix() const { return depthUnitSuffix(DepthUnit); }
};

// "LogMode" to the stacking direction and the orientation strip: 11 -> (1, 1), 12 -> (2, 1),
// 14 -> (1, 2), 15 -> (2, 2), anything else (13 included) -> (2, 1).
void logModeToDisplay(int logMode, int &direction, int &orientationMode);

// True when "General"/"Ident" reads exactly "WL_EXT" (default "BAD FILE THUMBS DOWN!").
bool identAccepted(const IniFile &header);

// Reads the layout keys. A missing "DepthUnit" keeps viewDepthUnit, a missing "SampleCount"
// gives defaultSampleCount; a missing "step", "StartDepth" or "EndDepth" gives 1, 0, 0 in any
// locale. Throws KivoError for a bad number, and for a sample count of 0, below 0 or above
// MaxSamplesPerLine (no image could be drawn from such records).
LogLayout readLogLayout(const IniFile &header, int viewDepthUnit, int defaultSampleCount,
                        const QLocale &locale = QLocale::system());

} // namespace kivo
