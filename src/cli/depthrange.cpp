// KIVO Log Viewer
#include "cli/depthrange.h"

#include "cli/clicommon.h"
#include "cli/openedlog.h"
#include "header/numberformat.h"
#include "kivoerror.h"
#include "print/printoptions.h"

namespace kivo::cli {

void addDepthRangeOptions(QCommandLineParser &parser)
{
    parser.addOption({"from", "the start depth (default: the first record's)", "S"});
    parser.addOption({"to", "the end depth (default: the last record's)", "E"});
}

int depthRangeOption(const QCommandLineParser &parser, OpenedLog &log, double &from, double &to)
{
    const LogLayout &layout = log.session.layout();
    try {
        const auto range = log.session.recordDepthRange();
        if (!range) {
            printError(QStringLiteral("The log holds no record."));
            return ExitRefused;
        }
        from = range->first;
        to = range->second;
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    // A depth not given passes the check as the header's own end of the range.
    const QLocale c = QLocale::c();
    const PrintOptionsEntry entry{
        parser.isSet("from") ? parser.value("from") : formatGeneral(layout.LogStartDepth, c),
        parser.isSet("to") ? parser.value("to") : formatGeneral(layout.LogEndDepth, c),
        QStringLiteral("0")};
    const PrintOptionsCheck check =
        checkPrintOptions(entry, layout.LogStartDepth, layout.LogEndDepth, layout.unitSuffix(), c);
    if (!check.valid && !check.correctedStart) {
        for (const QString &message : check.messages)
            printError(message);
        return ExitUsage;
    }
    if (parser.isSet("from"))
        from = *parseEntryFloat(entry.startDepth, c);
    if (parser.isSet("to"))
        to = *parseEntryFloat(entry.endDepth, c);
    return ExitOk;
}

} // namespace kivo::cli
