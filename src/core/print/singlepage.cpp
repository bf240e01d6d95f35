// KIVO Log Viewer
#include "print/singlepage.h"

#include "kivoerror.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace kivo {

void printSinglePage(QPagedPaintDevice &device, const QRect &page, const PageDraw &draw,
                     const QString &cannotBegin, const QString &failed)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw KivoError(cannotBegin);
    draw(painter, page);
    if (!painter.end())
        throw KivoError(failed);
}

} // namespace kivo
