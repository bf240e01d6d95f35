// KIVO Log Viewer
#include "cli/pdfpage.h"

#include "cli/clicommon.h"
#include "kivoerror.h"
#include "print/singlepage.h"

#include <QFile>
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

void writePdfPage(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation,
                  const std::function<void(QPainter &, const QRect &)> &draw)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw KivoError(
            QStringLiteral("Cannot write the file %1: %2.").arg(path, file.errorString()));
    // A new writer has the margins of the viewer's printer printing to a file (10 points).
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("KIVO Log Viewer"));
    writer.setPageSize(size);
    writer.setPageOrientation(orientation);
    const QRect page = preparePage(writer);
    const QString cannotWrite = QStringLiteral("Cannot write the file %1.").arg(path);
    printSinglePage(writer, page, draw, cannotWrite, cannotWrite);
    if (!file.flush())
        throw KivoError(
            QStringLiteral("Cannot write the file %1: %2.").arg(path, file.errorString()));
}

} // namespace kivo::cli
