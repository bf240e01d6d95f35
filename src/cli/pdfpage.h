// KIVO Log Viewer
#pragma once

#include <QCommandLineParser>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>

#include <functional>

class QPainter;

namespace kivo::cli {

// Adds --page to a command that writes a printed page.
void addPageOption(QCommandLineParser &parser);
// The paper --page names: "a4" (the default) or "letter". Prints a usage error and returns false
// for anything else.
bool pageSizeOption(const QCommandLineParser &parser, QPageSize &size);

// Writes one page to a PDF file the way the viewer's printer would print it when printing to a
// file: the paper and orientation given, the printer's resolution and its default margins.
// `draw` paints the page, given the printable area in device units. Throws KivoError when the
// file cannot be written.
void writePdfPage(const QString &path, const QPageSize &size, QPageLayout::Orientation orientation,
                  const std::function<void(QPainter &, const QRect &)> &draw);

} // namespace kivo::cli
