// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/headerjson.h"
#include "cli/openedlog.h"

namespace kivo::cli {

int runInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Prints the header record and the data layout of a log as JSON: the header as the viewer "
        "reads it, and what the viewer derives from it to show the data file.");
    parser.addPositionalArgument("LOG.bhx", "the data file (its header is LOG.HED beside it)");
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "info", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        printError("info takes one data file; 'kivo info --help' describes it");
        return ExitUsage;
    }

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;

    const LogLayout &layout = log.session.layout();
    JsonWriter json;
    json.beginObject();
    json.value("HeaderFileName", log.check.headerFileName);
    writeHeaderJson(json, "header", log.session.header());
    json.beginObject("layout");
    json.value("SamplesPerLine", layout.SamplesPerLine);
    json.value("RecordSize", layout.recordSize());
    json.value("RecordCount", log.session.geometry().recordCount);
    json.value("LogDirection", layout.LogDirection);
    json.value("OrientationMode", layout.OrientationMode);
    json.value("ViewDepthUnit", log.session.depthUnit());
    json.value("UnitSuffix", layout.unitSuffix());
    json.value("LogStartDepth", layout.LogStartDepth);
    json.value("LogEndDepth", layout.LogEndDepth);
    json.endObject();
    json.endObject();
    printOut(json.result());
    return ExitOk;
}

} // namespace kivo::cli
