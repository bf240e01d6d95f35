// KIVO Log Viewer
#pragma once

#include <QCommandLineParser>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;
class QPdfWriter;

namespace kivo::cli {

// Adds --page to a command that writes a printed page.
void addPageOption(QCommandLineParser &parser);
// The paper --page names: "a4" (the default) or "letter". Prints a usage error and returns false
// for anything else.
bool pageSizeOption(const QCommandLineParser &parser, QPageSize &size);

// Writes a PDF document the way the viewer's printer would print it when printing to a file: the
// paper given, the printer's resolution and its default margins, which `prepare` may change
// before the painter begins. `draw` paints the pages (QPdfWriter::newPage between them) and
// returns false to give the document up. The file appears only when complete: it is written
// under a temporary name and renamed at the end, so that a document given up or failed leaves an
// earlier file of that name as it was. Returns whether the file was written; throws KivoError when
// it cannot be.
bool writePdf(const QString &path, const QPageSize &size,
              const std::function<void(QPdfWriter &)> &prepare,
              const std::function<bool(QPainter &, QPdfWriter &)> &draw);

// Writes one page to a PDF file the way the viewer's printer would print it when printing to a
// file: the paper and orientation given, the printer's resolution and its default margins.
// `draw` paints the page, given the printable area in device units. Throws KivoError when the
// file cannot be written.
void writePdfPage(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation,
                  const std::function<void(QPainter &, const QRect &)> &draw);

} // namespace kivo::cli
