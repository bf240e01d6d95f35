// KIVO Log Viewer
#include "cli/pickoutput.h"

#include "cli/clicommon.h"
#include "kivoerror.h"

#include <QLocale>

#include <cmath>

namespace kivo::cli {

namespace {

void optionalValue(JsonWriter &json, const char *key, std::optional<double> value)
{
    if (value)
        json.value(key, *value);
    else
        json.null(key);
}

} // namespace

bool diameterOption(const QCommandLineParser &parser, std::optional<double> &diameter)
{
    if (!parser.isSet("diameter"))
        return true;
    bool ok = false;
    const double value = QLocale::c().toDouble(parser.value("diameter"), &ok);
    if (!ok || !std::isfinite(value) || value <= 0.0) {
        printError(QStringLiteral("--diameter must be a number more than 0 (with '.' for "
                                  "decimals), not '%1'")
                       .arg(parser.value("diameter")));
        return false;
    }
    diameter = value;
    return true;
}

bool pickValues(PickCalculator &calculator, const QList<Pick> &picks, QList<PickValues> &values,
                const QString &unitSuffix)
{
    values.clear();
    values.reserve(picks.size());
    try {
        for (const Pick &pick : picks) {
            values.append(calculator.values(pick));
            if (!values.last().diameter) {
                printError(QStringLiteral("no borehole diameter at depth %1 %2 (no bit record "
                                          "holds it): give one with --diameter")
                               .arg(QString::number(pick.trace.depth, 'f', 4), unitSuffix));
                return false;
            }
        }
    } catch (const KivoError &error) {
        printError(error.text());
        return false;
    }
    return true;
}

void writePickJson(JsonWriter &json, const Pick &pick, const PickValues &values, bool withRecord)
{
    json.value("Depth", pick.trace.depth);
    json.value("Amplitude", pick.trace.amplitude);
    json.value("TroughAzimuth", pick.trace.troughAzimuth);
    optionalValue(json, "Diameter", values.diameter);
    optionalValue(json, "ApparentDip", values.apparentDip);
    json.value("ApparentDipAzimuth", values.apparentDipAzimuth);
    if (withRecord) {
        if (values.record)
            json.value("Record", *values.record);
        else
            json.null("Record");
    }
    optionalValue(json, "HoleDeviation", values.holeDeviation);
    optionalValue(json, "HoleAzimuth", values.holeAzimuth);
    optionalValue(json, "TrueDip", values.trueDip);
    optionalValue(json, "TrueDipAzimuth", values.trueDipAzimuth);
}

} // namespace kivo::cli
