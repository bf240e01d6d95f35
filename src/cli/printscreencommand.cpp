// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/openedlog.h"
#include "cli/pdfpage.h"
#include "display/colourmap.h"
#include "display/fullview.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "print/printscreen.h"

namespace kivo::cli {

int runPrintScreen(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the page Print Screen prints for a view of a log to a PDF file: the orientation "
        "scale, and below it the view as the viewer shows it after opening the log and "
        "scrolling to the position, stretched across the page. Portrait, as the printer starts.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    addViewOptions(parser);
    parser.addOption({"out", "the PDF file to write", "FILE.pdf"});
    addPageOption(parser);
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "print-screen", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("rows") || !parser.isSet("out")) {
        printError("print-screen takes one data file, --rows and --out; "
                   "'kivo print-screen --help' describes it");
        return ExitUsage;
    }
    const QString out = parser.value("out");
    if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        printError(QStringLiteral("--out must name a .pdf file, not '%1'").arg(out));
        return ExitUsage;
    }
    QPageSize paper;
    if (!pageSizeOption(parser, paper))
        return ExitUsage;

    OpenedLog log;
    qint64 position = 0;
    exitCode = openLogView(parser, log, position);
    if (exitCode != ExitOk)
        return exitCode;

    try {
        const TDIB capture = fullViewPicture(log.session.imageFile(), log.session.layout(),
                                             log.session.geometry(), position, TColourMap());
        const int mode = log.check.layout.OrientationMode;
        writePdfPage(out, paper, QPageLayout::Portrait, [&](QPainter &painter, const QRect &page) {
            drawPrintScreen(painter, page, capture,
                            PrintScale::compute(page.width(), capture.width(), mode));
        });
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
