// KIVO Log Viewer
#include "cli/pdfpage.h"

#include "cli/clicommon.h"
#include "print/pdffile.h"
#include "print/preparepage.h"

#include <QPainter>
#include <QPdfWriter>

namespace kivo::cli {

void addPageOption(QCommandLineParser &parser)
{
    parser.addOption({"page", "the paper: a4 (default) or letter", "PAPER", "a4"});
}

bool pageSizeOption(const QCommandLineParser &parser, QPageSize &size)
{
    const QString name = parser.value("page").toLower();
    if (name == QLatin1String("a4")) {
        size = QPageSize(QPageSize::A4);
        return true;
    }
    if (name == QLatin1String("letter")) {
        size = QPageSize(QPageSize::Letter);
        return true;
    }
    printError(QStringLiteral("--page must be a4 or letter, not '%1'").arg(parser.value("page")));
    return false;
}

bool writePdf(const QString &path, const QPageSize &size,
              const std::function<void(QPdfWriter &)> &prepare,
              const std::function<bool(QPainter &, QPdfWriter &)> &draw)
{
    const PdfFailureTexts texts{
        [&path](const QString &reason) {
            return QStringLiteral("Cannot write the file %1: %2.").arg(path, reason);
        },
        QStringLiteral("Cannot write the file %1.").arg(path)};
    return writePdfFile(
        path, texts,
        [&](QPdfWriter &writer) {
            // A new writer has the margins of the viewer's printer printing to a file (10 points).
            writer.setPageSize(size);
            preparePage(writer);
            prepare(writer);
        },
        draw);
}

void writePdfPage(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation,
                  const std::function<void(QPainter &, const QRect &)> &draw)
{
    writePdf(
        path, size, [orientation](QPdfWriter &writer) { writer.setPageOrientation(orientation); },
        [&draw](QPainter &painter, QPdfWriter &writer) {
            draw(painter, QRect(0, 0, writer.width(), writer.height()));
            return true;
        });
}

} // namespace kivo::cli
