// KIVO Log Viewer
#include "app/logview.h"
#include "app/striprenderer.h"
#include "app/viewgeometry.h"
#include "cli/clicommon.h"
#include "cli/openedlog.h"
#include "cli/pdfpage.h"
#include "display/colourmap.h"
#include "display/displayarea.h"
#include "display/tdib.h"
#include "kivoerror.h"
#include "print/printscreen.h"

namespace kivo::cli {

namespace {

// The surface as the viewer shows it after opening the log and a full redraw at the position,
// with the colour tables of start-up.
TDIB captureView(OpenedLog &log, const ViewGeometry &view, qint64 position)
{
    DisplayArea area;
    area.setSize(view.surfaceWidth(), view.rows);
    area.Initialize();
    TDirectDrawSurface &surface = *area.Surface();
    StripRenderer::PrepareSurfaceA(surface);
    StripRenderer::PrepareSurfaceB(surface);
    TColourMap colours;
    BuildColourMap(colours);
    LogView logView(area, log.file, colours, log.check.layout);
    logView.setGeometry(view);
    logView.fullPass(position);
    TDIB capture;
    surface.CaptureTo(capture);
    return capture;
}

} // namespace

int runPrintScreen(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes the page Print Screen prints for a view of a log to a PDF file: the orientation "
        "scale, and below it the view as the viewer shows it after opening the log and "
        "scrolling to the position, stretched across the page. Portrait, as the printer starts.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    parser.addOption({"rows", "the view's height in rows (1 to 100000)", "R"});
    parser.addOption({"position", "the scroll position, 0 (default) to the scroll maximum", "P"});
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
    qint64 rows = 0;
    QPageSize paper;
    if (!integerOption(parser, "rows", 1, 100000, rows) || !pageSizeOption(parser, paper))
        return ExitUsage;

    // A position that is no whole number from 0 is wrong for any log; its upper bound, the
    // scroll maximum, comes from the log.
    qint64 position = 0;
    if (!integerOption(parser, "position", 0, NoUpperLimit, position))
        return ExitUsage;

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    const ViewGeometry view{log.recordCount, int(rows), log.check.layout.LogDirection};
    if (!integerOption(parser, "position", 0, view.scrollMax(), position))
        return ExitUsage;

    try {
        const TDIB capture = captureView(log, view, position);
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
