// KIVO Log Viewer
#include "print/printoptions.h"

#include "header/numberformat.h"
#include "log/depthrange.h"

#include <cmath>

namespace kivo {

PrintOptionsCheck checkPrintOptions(const PrintOptionsEntry &entry, double logStart, double logEnd,
                                    const QString &unit, const QLocale &locale)
{
    PrintOptionsCheck check;
    const auto reject = [&check](const QString &message) {
        check.valid = false;
        check.messages << message;
    };

    if (const auto dpi = parseEntryFloat(entry.verticalDpi, locale)) {
        // Rounding to nearest in the default mode sends halves to even; adding 0 turns the -0
        // of a small negative value into 0.
        check.verticalDpi = std::nearbyint(*dpi) + 0.0;
    } else {
        reject(QStringLiteral("Invalid value for Vertical DPI!"));
    }
    const auto start = parseEntryFloat(entry.startDepth, locale);
    if (!start)
        reject(QStringLiteral("Invalid value for Start depth!"));
    const auto end = parseEntryFloat(entry.endDepth, locale);
    if (!end)
        reject(QStringLiteral("Invalid value for End depth!"));

    if (start && outsideDepthRange(*start, logStart, logEnd))
        reject(depthRangeMessage(QStringLiteral("Start depth"), logStart, logEnd, unit, locale));
    if (end && outsideDepthRange(*end, logStart, logEnd))
        reject(depthRangeMessage(QStringLiteral("End depth"), logStart, logEnd, unit, locale));

    if (!check.valid)
        return check;
    const bool crossOver =
        ((logStart > logEnd) && (*start < *end)) || ((logStart < logEnd) && (*start > *end));
    if (crossOver) {
        check.correctedStart = formatGeneral(*end, locale);
        check.correctedEnd = formatGeneral(*start, locale);
        reject(QStringLiteral("Corrected for \"cross-over\" in depth range"));
    }
    return check;
}

} // namespace kivo
