// KIVO Log Viewer
#include "cli/openedlog.h"

#include "cli/clicommon.h"
#include "header/headerio.h"
#include "kivoerror.h"

namespace kivo::cli {

bool openLog(const QString &dataPath, OpenedLog &log)
{
    log.dataPath = dataPath;
    try {
        log.session.prepareOpen();
        log.check = log.session.readHeader(dataPath);
        if (!log.check.accepted()) {
            printError(log.check.refusal());
            return false;
        }
        log.session.openDataFile(dataPath);
    } catch (const KivoError &error) {
        printError(error.text());
        return false;
    }
    return true;
}

void addViewOptions(QCommandLineParser &parser)
{
    parser.addOption({"rows", "the view's height in rows (1 to 100000)", "R"});
    parser.addOption({"position", "the scroll position, 0 (default) to the scroll maximum", "P"});
}

int openLogView(const QCommandLineParser &parser, OpenedLog &log, qint64 &position)
{
    qint64 rows = 0;
    position = 0;
    if (!integerOption(parser, "rows", 1, 100000, rows) ||
        !integerOption(parser, "position", 0, NoUpperLimit, position))
        return ExitUsage;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    log.session.setRows(int(rows));
    if (!integerOption(parser, "position", 0, log.session.geometry().scrollMax(), position))
        return ExitUsage;
    return ExitOk;
}

} // namespace kivo::cli
