// KIVO Log Viewer
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

namespace kivo {

// What the plots share in their look: white paper, dark ink, a sans-serif face sized to the
// plot, and the outline a symbol of a type's colour gets so that light colours show on white.
QColor plotPaper();
QColor plotInk();
QColor plotGrid();
QFont plotFont(const QRectF &area);
QColor symbolOutline(const QColor &fill);

} // namespace kivo
