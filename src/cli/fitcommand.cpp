// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/jsonwriter.h"
#include "cli/openedlog.h"
#include "cli/pickoutput.h"
#include "kivoerror.h"
#include "picks/sinusoidfit.h"

#include <QLocale>

#include <cmath>

namespace kivo::cli {

namespace {

// "DEPTH,AZIMUTH", numbers with "." decimals.
bool parsePoint(const QString &text, PickPoint &point)
{
    const QStringList fields = text.split(u',');
    if (fields.size() != 2)
        return false;
    bool depthOk = false;
    bool azimuthOk = false;
    point.depth = QLocale::c().toDouble(fields[0].trimmed(), &depthOk);
    point.azimuth = QLocale::c().toDouble(fields[1].trimmed(), &azimuthOk);
    return depthOk && azimuthOk && std::isfinite(point.depth) && std::isfinite(point.azimuth);
}

} // namespace

int runFit(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Fits the trace of one planar feature through points picked on the image of a log and "
        "prints the pick as JSON: its depth, amplitude and trough azimuth, apparent dip, the "
        "hole's orientation at the record nearest its depth, and its true dip and dip "
        "direction. Image azimuths are in degrees, clockwise looking down the hole from North "
        "(N E S W strip) or from the low side (D L U R strip).");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    parser.addOption({"point", "a point of the trace: its depth and image azimuth (three at least)",
                      "DEPTH,AZIMUTH"});
    parser.addOption({"diameter",
                      "the hole's diameter (mm for metric logs, inches for feet logs); default "
                      "the bit size of the run whose bit record holds the depth",
                      "D"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "fit", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        printError("fit takes one data file; 'kivo fit --help' describes it");
        return ExitUsage;
    }
    QList<PickPoint> points;
    for (const QString &text : parser.values("point")) {
        PickPoint point;
        if (!parsePoint(text, point)) {
            printError(QStringLiteral("--point must be DEPTH,AZIMUTH, two numbers with '.' for "
                                      "decimals, not '%1'")
                           .arg(text));
            return ExitUsage;
        }
        points.append(point);
    }
    Pick pick;
    SinusoidFit fit;
    try {
        fit = fitSinusoid(points);
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitUsage;
    }
    pick.trace = fit.sinusoid;
    if (!diameterOption(parser, pick.diameter))
        return ExitUsage;

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    PickCalculator &calculator = *log.session.pickCalculator();
    QList<PickValues> values;
    if (!pickValues(calculator, {pick}, values, log.session.layout().unitSuffix()))
        return ExitRefused;

    JsonWriter json;
    json.beginObject();
    writePickJson(json, pick, values.first(), true);
    json.value("Residual", fit.residual);
    json.endObject();
    printOut(json.result());
    return ExitOk;
}

} // namespace kivo::cli
