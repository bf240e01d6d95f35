// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/depthrange.h"
#include "cli/openedlog.h"
#include "cli/pickoutput.h"
#include "cli/terminalprogress.h"
#include "detect/detectrange.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "picks/picksfile.h"

#include <QLocale>

#include <cmath>

namespace kivo::cli {

namespace {

// --min-confidence: a number from 0 to 1 (default 0).
bool confidenceOption(const QCommandLineParser &parser, double &confidence)
{
    confidence = 0.0;
    if (!parser.isSet("min-confidence"))
        return true;
    bool ok = false;
    confidence = QLocale::c().toDouble(parser.value("min-confidence"), &ok);
    if (ok && confidence >= 0.0 && confidence <= 1.0)
        return true;
    printError(QStringLiteral("--min-confidence must be a number from 0 to 1, not '%1'")
                   .arg(parser.value("min-confidence")));
    return false;
}

} // namespace

int runDetect(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Searches a depth range of a log for the traces of planar features (fractures, beds, "
        "veins) and writes them as candidate picks in the picks file's form, of type "
        "\"detected\" with a Confidence from 0 to 1. An empty table when none is found.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addDepthRangeOptions(parser);
    parser.addOption({"diameter",
                      "the hole's diameter (mm for metric logs, inches for feet logs); default "
                      "the bit size of the run whose bit record holds the range's middle",
                      "D"});
    parser.addOption(
        {"min-confidence", "the least confidence of a candidate written (default 0)", "C"});
    parser.addOption({"out", "the CSV file to write", "FILE"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "detect", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("out")) {
        printError("detect takes one data file and --out; 'kivo detect --help' describes it");
        return ExitUsage;
    }
    std::optional<double> diameter;
    double confidence = 0.0;
    if (!diameterOption(parser, diameter) || !confidenceOption(parser, confidence))
        return ExitUsage;

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    double from = 0.0;
    double to = 0.0;
    exitCode = depthRangeOption(parser, log, from, to);
    if (exitCode != ExitOk)
        return exitCode;

    const QString out = parser.value("out");
    TerminalProgress progress;
    try {
        DetectRequest request = detectRequest(log.session, from, to, diameter);
        request.minConfidence = confidence;
        DetectResult result = detectTraces(request, &progress);
        if (result.cancelled) {
            printError(QStringLiteral("interrupted: %1 was not written").arg(out));
            return ExitRefused;
        }
        // The diameter given travels with each candidate, so that its dips read the same later.
        for (Pick &pick : result.candidates)
            pick.diameter = diameter;
        PickCalculator &calculator = *log.session.pickCalculator();
        QList<PickValues> values;
        if (!pickValues(calculator, result.candidates, values, log.session.layout().unitSuffix()))
            return ExitRefused;
        saveFileAtomically(out, writePicksCsv(result.candidates, values, true));
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
