// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/depthrange.h"
#include "cli/openedlog.h"
#include "cli/pdfpage.h"
#include "cli/terminalprogress.h"
#include "header/headersheet.h"
#include "kivoerror.h"
#include "picks/pickset.h"
#include "picks/pickstore.h"
#include "print/printlog.h"
#include "print/printlogpages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPdfWriter>

namespace kivo::cli {

int runPrintLog(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the pages Print Log prints to a PDF file: a depth range of the log at a vertical "
        "scale of 1:N, portrait, each page with its title, the orientation scale, the depth "
        "track and the image track, depth growing down the page; the picks of the log's picks "
        "file drawn over the image and as tadpoles beside it.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addDepthRangeOptions(parser);
    parser.addOption({"scale", "the scale 1:N: 10, 20 (default), 50, 100 or 200", "N", "20"});
    parser.addOption({"dpi", "image rows per inch of paper, 0 (default: 96) to 2400", "D", "0"});
    parser.addOption({"header", "print the header sheet as the first page"});
    parser.addOption({"no-margins", "use the whole paper, without the printer's margins"});
    parser.addOption({"out", "the PDF file to write", "FILE.pdf"});
    addPageOption(parser);
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "print-log", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("out")) {
        printError("print-log takes one data file and --out; 'kivo print-log --help' describes it");
        return ExitUsage;
    }
    const QString out = parser.value("out");
    if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        printError(QStringLiteral("--out must name a .pdf file, not '%1'").arg(out));
        return ExitUsage;
    }
    bool scaleRead = false;
    const int scale = parser.value("scale").toInt(&scaleRead);
    if (!scaleRead || !PrintLogPages::isScale(scale)) {
        printError(QStringLiteral("--scale must be 10, 20, 50, 100 or 200, not '%1'")
                       .arg(parser.value("scale")));
        return ExitUsage;
    }
    qint64 dpi = 0;
    QPageSize paper;
    if (!integerOption(parser, "dpi", 0, PrintLogRequest::MaxVerticalDpi, dpi) ||
        !pageSizeOption(parser, paper))
        return ExitUsage;

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    // The log's picks file, where it has one, puts its picks on the pages.
    try {
        PickStore store(log.dataPath);
        if (QFileInfo::exists(store.path()))
            log.session.picks().reset(store.load());
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    PrintLogRequest request;
    exitCode = depthRangeOption(parser, log, request.fromDepth, request.toDepth);
    if (exitCode != ExitOk)
        return exitCode;
    request.scale = scale;
    request.verticalDpi = double(dpi);
    request.header = parser.isSet("header");
    request.keepMargins = !parser.isSet("no-margins");
    request.logoPath = sheetLogoPath(QCoreApplication::applicationDirPath());

    TerminalProgress progress;
    try {
        const bool written = writePdf(
            out, paper, [&](QPdfWriter &writer) { preparePrintLogDevice(writer, request); },
            [&](QPainter &painter, QPdfWriter &writer) {
                return printLog(painter, writer, log.session, request, progress);
            });
        if (!written) {
            printError(QStringLiteral("interrupted: %1 was not written").arg(out));
            return ExitRefused;
        }
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
