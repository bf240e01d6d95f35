// KIVO Log Viewer
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QRectF>

namespace kivo {

// What the plots share in their look: white paper, dark ink, a sans-serif face sized to the
// plot, and the outline a symbol of a type's colour gets so that light colours show on white.
QColor plotPaper();
QColor plotInk();
QColor plotGrid();
QFont plotFont(const QRectF &area);
QColor symbolOutline(const QColor &fill);
// The painter draws pixels (a picture or a window, Qt's raster engine), not SVG or PDF.
bool drawsPixels(const QPainter &painter);
// The pen of thin lines (grids, contours, traces): on a picture or a window one pixel at any
// scale, which Qt strokes on its fast path (thousands of traces need it) and which stays crisp
// where a thinner line would blur; on SVG and PDF a line of one unit (3/4 point), not the
// hairline a cosmetic pen would give a printer.
QPen thinPen(const QPainter &painter, const QColor &colour);

} // namespace kivo
