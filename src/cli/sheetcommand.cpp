// KIVO Log Viewer
#include "cli/clicommon.h"
#include "cli/openedlog.h"
#include "cli/pdfpage.h"
#include "header/headersheet.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QBuffer>
#include <QCoreApplication>

namespace kivo::cli {

int runSheet(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Draws the well header sheet of a log, as Print Header prints it, with LOGO.BMP from "
        "the program's directory, else from share/kivo/ of its installation. A .png file receives "
        "the one-bit 2013 x 1693 sheet image; a "
        ".pdf file the landscape page the printer would get.");
    parser.addPositionalArgument("LOG.bhx", "the data file");
    parser.addOption({"out", "the file to write: FILE.png or FILE.pdf", "FILE"});
    addPageOption(parser);
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "sheet", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1 || !parser.isSet("out")) {
        printError("sheet takes one data file and --out; 'kivo sheet --help' describes it");
        return ExitUsage;
    }
    const QString out = parser.value("out");
    const bool png = out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (!png && !out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        printError(QStringLiteral("--out must name a .png or .pdf file, not '%1'").arg(out));
        return ExitUsage;
    }
    QPageSize paper;
    if (!pageSizeOption(parser, paper))
        return ExitUsage;

    OpenedLog log;
    if (!openLog(parser.positionalArguments().first(), log))
        return ExitRefused;
    try {
        const QImage sheet = drawHeaderSheet(log.session.header(),
                                             sheetLogoPath(QCoreApplication::applicationDirPath()));
        if (png) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            if (!buffer.open(QIODevice::WriteOnly) || !sheet.save(&buffer, "PNG"))
                throw KivoError(QStringLiteral("The sheet cannot be made into a PNG file."));
            saveFileAtomically(out, bytes);
        } else {
            writePdfPage(out, paper, QPageLayout::Landscape,
                         [&sheet](QPainter &painter, const QRect &page) {
                             printSheet(painter, page, sheet);
                         });
        }
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace kivo::cli
