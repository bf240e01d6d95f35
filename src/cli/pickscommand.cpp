// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/jsonwriter.h"
#include "cli/openedlog.h"
#include "cli/pickinput.h"
#include "cli/pickoutput.h"
#include "export/picklas.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "picks/picksfile.h"

namespace kivo::cli {

namespace {

QByteArray picksJson(const QList<Pick> &picks, const QList<PickValues> &values)
{
    JsonWriter json;
    json.beginArray();
    for (qsizetype i = 0; i < picks.size(); ++i) {
        json.beginObject();
        writePickJson(json, picks[i], values[i], false);
        json.value("Type", picks[i].type);
        json.value("Comment", picks[i].comment);
        json.endObject();
    }
    json.endArray();
    return json.result();
}

} // namespace

int runPicks(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Reads the picks of a log (its picks file LOG.picks.csv, or another), derives their "
        "apparent and true dips again from the log, and writes them as CSV (the picks file's "
        "own form), JSON or LAS 2.0. The picks file itself is never written.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    parser.addOption({"picks", "the picks file to read (default: the log's own)", "FILE"});
    parser.addOption({"format", "csv (default), json or las", "FORMAT"});
    parser.addOption({"out", "the file to write (default: standard output)", "FILE"});
    parser.addOption({"diameter",
                      "the hole's diameter for picks that have none and that no bit record "
                      "covers (mm for metric logs, inches for feet logs)",
                      "D"});
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "picks", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        printError("picks takes one data file; 'kivo picks --help' describes it");
        return ExitUsage;
    }
    const QString format = parser.value("format").isEmpty() ? "csv" : parser.value("format");
    if (format != "csv" && format != "json" && format != "las") {
        printError(QStringLiteral("--format must be csv, json or las, not '%1'").arg(format));
        return ExitUsage;
    }
    std::optional<double> diameter;
    if (!diameterOption(parser, diameter))
        return ExitUsage;
    const QString out = parser.value("out");
    OpenedLog log;
    QList<Pick> picks;
    QList<PickValues> values;
    exitCode = loadPicks(parser, out, "an export", diameter, log, picks, values);
    if (exitCode != ExitOk)
        return exitCode;

    QByteArray bytes;
    if (format == "csv")
        bytes = writePicksCsv(picks, values);
    else if (format == "json")
        bytes = picksJson(picks, values);
    else
        bytes =
            writePicksLas(picks, values, log.session.header(), log.session.layout().DepthUnit != 0);
    if (out.isEmpty()) {
        printOut(bytes);
        return ExitOk;
    }
    try {
        saveFileAtomically(out, bytes);
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
