// KIVO Log Viewer
#include "print/pdffile.h"

#include "kivoerror.h"
#include "picks/atomicsave.h"

#include <QPainter>
#include <QPdfWriter>

namespace kivo {

bool writePdfFile(const QString &path, const PdfFailureTexts &texts,
                  const std::function<void(QPdfWriter &)> &prepare,
                  const std::function<bool(QPainter &, QPdfWriter &)> &draw)
{
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw KivoError(texts.cannotOpen(file.errorString()));
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("KIVO Log Viewer"));
    prepare(writer);
    QPainter painter;
    if (!painter.begin(&writer))
        throw KivoError(texts.failed);
    bool drawn = false;
    try {
        drawn = draw(painter, writer);
    } catch (...) {
        painter.end();
        throw;
    }
    if (!drawn) {
        painter.end();
        file.cancelWriting();
        return false;
    }
    // Ending writes the rest of the document (its cross-reference table and trailer).
    if (!painter.end())
        throw KivoError(texts.failed);
    file.commitChecked();
    return true;
}

} // namespace kivo
