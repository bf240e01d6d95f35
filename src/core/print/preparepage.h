// KIVO Log Viewer
#pragma once

#include "print/printresolution.h"

#include <QRect>

namespace kivo {

// Lays a printer's or a PDF writer's page out at PrintResolution and returns its printable area
// in device units. Both devices have setResolution; their common base has not.
template <typename PagedDevice> QRect preparePage(PagedDevice &device)
{
    device.setResolution(PrintResolution);
    return QRect(0, 0, device.width(), device.height());
}

} // namespace kivo
