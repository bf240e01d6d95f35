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
        ResetHeader(log.header);
        log.check = checkLogHeader(dataPath, log.header, log.viewDepthUnit, 0);
        if (!log.check.accepted()) {
            printError(log.check.refusal());
            return false;
        }
        log.viewDepthUnit = log.check.layout.DepthUnit;
        log.file.OpenImageFile(dataPath, log.check.layout.recordSize());
        log.recordCount = log.file.RecordCount();
    } catch (const KivoError &error) {
        printError(error.text());
        return false;
    }
    return true;
}

} // namespace kivo::cli
