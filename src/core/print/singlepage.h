// KIVO Log Viewer
#pragma once

#include "print/printresolution.h"

#include <QRect>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace kivo {

// Paints a page, given its printable area in device units.
using PageDraw = std::function<void(QPainter &painter, const QRect &page)>;

// Lays a printer's or a PDF writer's page out at PrintResolution and returns its printable area
// in device units. Both devices have setResolution; their common base has not.
template <typename PagedDevice> QRect preparePage(PagedDevice &device)
{
    device.setResolution(PrintResolution);
    return QRect(0, 0, device.width(), device.height());
}

// Prints one page prepared by preparePage: begins painting on the device, lets `draw` paint the
// page and ends, which sends the page to the printer or writes the file. Throws KivoError with
// cannotBegin when painting cannot begin (nothing is drawn then), with failed when the page
// cannot be finished.
void printSinglePage(QPagedPaintDevice &device, const QRect &page, const PageDraw &draw,
                     const QString &cannotBegin, const QString &failed);

} // namespace kivo
