// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace kivo {

// True when depth lies outside the range a to b (either may be the larger); a range of one
// depth holds every depth.
bool outsideDepthRange(double depth, double a, double b);

// "<what> out of range! (Range: <a> to <b><unit>)", the numbers in the general format.
QString depthRangeMessage(const QString &what, double a, double b, const QString &unit,
                          const QLocale &locale = QLocale::system());

// A depth typed by the user, checked as the print options check theirs: the depth, or the
// message to show ("Invalid value for Depth!", "Depth out of range! (Range: ...)").
struct DepthEntry {
    std::optional<double> depth;
    QString message;
};
DepthEntry checkDepthEntry(const QString &text, double a, double b, const QString &unit,
                           const QLocale &locale = QLocale::system());

} // namespace kivo
