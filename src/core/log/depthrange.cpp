// KIVO Log Viewer
#include "log/depthrange.h"

#include "header/numberformat.h"

namespace kivo {

bool outsideDepthRange(double depth, double a, double b)
{
    if (a < b)
        return depth < a || depth > b;
    if (a > b)
        return depth < b || depth > a;
    return false;
}

QString depthRangeMessage(const QString &what, double a, double b, const QString &unit,
                          const QLocale &locale)
{
    return what + QStringLiteral(" out of range! (Range: ") + formatGeneral(a, locale) +
           QStringLiteral(" to ") + formatGeneral(b, locale) + unit + QLatin1Char(')');
}

DepthEntry checkDepthEntry(const QString &text, double a, double b, const QString &unit,
                           const QLocale &locale)
{
    const auto depth = parseEntryFloat(text, locale);
    if (!depth)
        return {std::nullopt, QStringLiteral("Invalid value for Depth!")};
    if (outsideDepthRange(*depth, a, b))
        return {std::nullopt, depthRangeMessage(QStringLiteral("Depth"), a, b, unit, locale)};
    return {depth, QString()};
}

} // namespace kivo
