// KIVO Log Viewer
#pragma once

#include "display/colourmap.h"

#include <QImage>
#include <QString>

namespace kivo::test {

// The tables at start-up: every byte maps to itself.
TColourMap neutralColours();

// The picture a full redraw of a log draws for a view of the given rows at a scroll position,
// drawn on a display area of its own: what the viewer's surface must show after any pass. The
// position counts rows of the zoomed view.
QImage referenceView(const QString &dataPath, int rows, qint64 position,
                     const TColourMap &colours = neutralColours(), int zoom = 1);

} // namespace kivo::test
