// KIVO Log Viewer
#include "log/loglayout.h"

#include "header/headerio.h"
#include "header/inifile.h"
#include "header/numberformat.h"
#include "kivoerror.h"

#include <optional>

namespace kivo {

namespace {

int readInteger(const IniFile &header, const char *section, const char *key, int absent)
{
    const auto bytes = header.value(section, key);
    if (!bytes)
        return absent;
    return parseHeaderInteger(*bytes).value_or(absent);
}

// A real read as text: an absent key gives the default number (not the default's text, which
// would not convert in a comma locale), a present one must convert.
double readReal(const IniFile &header, const char *key, double absent, const QLocale &locale)
{
    const auto bytes = header.value("WellInfo", key);
    if (!bytes)
        return absent;
    return StrToFloat(decodeHeaderText(header, *bytes), locale);
}

// "Channel1"/"SampleCount", refused unless 1..MaxSamplesPerLine. The message names what the
// header holds: the number, or the text itself when it is not a whole number (which the
// integer rule would read as 0).
int readSampleCount(const IniFile &header, int absent)
{
    const auto bytes = header.value("Channel1", "SampleCount");
    const std::optional<qint32> count = bytes ? parseHeaderInteger(*bytes) : std::optional(absent);
    if (count && *count > 0 && *count <= LogLayout::MaxSamplesPerLine)
        return *count;
    const QString given = count ? QString::number(*count)
                                : QStringLiteral("\"%1\"").arg(decodeHeaderText(header, *bytes));
    throw KivoError(QStringLiteral("The header gives %1 samples per line (\"SampleCount\" of "
                                   "section \"Channel1\"); a log needs 1 to %2.")
                        .arg(given)
                        .arg(LogLayout::MaxSamplesPerLine));
}

} // namespace

QString depthUnitSuffix(int depthUnit)
{
    return depthUnit == 0 ? QStringLiteral("m") : QStringLiteral("ft");
}

void logModeToDisplay(int logMode, int &direction, int &orientationMode)
{
    switch (logMode) {
    case 11:
        direction = 1;
        orientationMode = 1;
        break;
    case 14:
        direction = 1;
        orientationMode = 2;
        break;
    case 15:
        direction = 2;
        orientationMode = 2;
        break;
    default: // 12, and every code the viewer does not know
        direction = 2;
        orientationMode = 1;
        break;
    }
}

bool identAccepted(const IniFile &header)
{
    const auto ident = header.value("General", "Ident");
    return ident && *ident == "WL_EXT";
}

LogLayout readLogLayout(const IniFile &header, int viewDepthUnit, int defaultSampleCount,
                        const QLocale &locale)
{
    LogLayout layout;
    layout.SamplesPerLine = readSampleCount(header, defaultSampleCount);
    logModeToDisplay(readInteger(header, "WellInfo", "LogMode", 11), layout.LogDirection,
                     layout.OrientationMode);
    layout.DepthUnit = readInteger(header, "WellInfo", "DepthUnit", viewDepthUnit);
    layout.Step = readReal(header, "step", 1.0, locale);
    layout.LogStartDepth = readReal(header, "StartDepth", 0.0, locale);
    layout.LogEndDepth = readReal(header, "EndDepth", 0.0, locale);
    return layout;
}

} // namespace kivo
