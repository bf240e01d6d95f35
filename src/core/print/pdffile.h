// KIVO Log Viewer
#pragma once

#include <QString>

#include <functional>

class QPainter;
class QPdfWriter;

namespace kivo {

// What the user is told when a PDF file cannot be written: `cannotOpen` is given the system's
// reason the file could not be made; `failed` is for a document that could not be finished.
struct PdfFailureTexts {
    std::function<QString(const QString &reason)> cannotOpen;
    QString failed;
};

// Writes a PDF document to path. `prepare` sets the writer's page up before painting begins;
// `draw` paints the pages (QPdfWriter::newPage between them) and returns false to give the
// document up. The document is written under a temporary name in the same folder and takes its
// name only once complete and every byte of it reached the disk, so that a document given up or
// failed (a full disk, a file size limit) leaves an earlier file of that name as it was and no
// other file. Returns whether the file was written; throws KivoError when it cannot be.
bool writePdfFile(const QString &path, const PdfFailureTexts &texts,
                  const std::function<void(QPdfWriter &)> &prepare,
                  const std::function<bool(QPainter &, QPdfWriter &)> &draw);

} // namespace kivo
