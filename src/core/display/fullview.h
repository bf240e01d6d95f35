// KIVO Log Viewer
#pragma once

#include "display/tdib.h"
#include "log/viewgeometry.h"

namespace kivo {

class DisplayArea;
class ImageFile;
struct LogLayout;
struct ImageEnhancement;
struct TColourMap;

// Makes the display area's surface at the view's size and prepares it as opening a log does:
// white, the label font, the margin whitened.
void prepareDisplay(DisplayArea &area, const ViewGeometry &view);

// The picture the viewer's surface holds after opening a log in a view of view.rows rows and
// redrawing in full at the position: a display area at the view's width, both steps of the
// surface preparation, one full pass (with the enhancement, if any), then the capture. Every later
// pass of the viewer must leave its surface like this; `kivo render` and `kivo print-screen` show
// it.
TDIB fullViewPicture(ImageFile &file, const LogLayout &layout, const ViewGeometry &view,
                     qint64 position, const TColourMap &colours,
                     const ImageEnhancement *enhancement = nullptr);

} // namespace kivo
