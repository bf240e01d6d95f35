// KIVO Log Viewer
#include "cli/pdfpage.h"

#include "cli/clicommon.h"
#include "kivoerror.h"
#include "picks/atomicsave.h"
#include "print/singlepage.h"

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
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw KivoError(
            QStringLiteral("Cannot write the file %1: %2.").arg(path, file.errorString()));
    // A new writer has the margins of the viewer's printer printing to a file (10 points).
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("KIVO Log Viewer"));
    writer.setPageSize(size);
    preparePage(writer);
    prepare(writer);
    QPainter painter;
    if (!painter.begin(&writer))
        throw KivoError(QStringLiteral("Cannot write the file %1.").arg(path));
    if (!draw(painter, writer)) {
        painter.end();
        file.cancelWriting();
        return false;
    }
    // Ending writes the rest of the document (its cross-reference table and trailer).
    if (!painter.end())
        throw KivoError(QStringLiteral("Cannot write the file %1.").arg(path));
    file.commitChecked();
    return true;
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
