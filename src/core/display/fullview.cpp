// KIVO Log Viewer
#include "display/fullview.h"

#include "display/displayarea.h"
#include "display/logview.h"
#include "display/striprenderer.h"

namespace kivo {

void prepareDisplay(DisplayArea &area, const ViewGeometry &view)
{
    area.setSize(view.surfaceWidth(), view.rows);
    area.Initialize();
    StripRenderer::PrepareSurfaceA(*area.Surface());
    StripRenderer::PrepareSurfaceB(*area.Surface());
}

TDIB fullViewPicture(ImageFile &file, const LogLayout &layout, const ViewGeometry &view,
                     qint64 position, const TColourMap &colours,
                     const ImageEnhancement *enhancement)
{
    DisplayArea area;
    prepareDisplay(area, view);
    LogView logView(area, file, colours, layout);
    logView.setGeometry(view);
    logView.setEnhancement(enhancement);
    logView.fullPass(position);
    TDIB picture;
    area.Surface()->CaptureTo(picture);
    return picture;
}

} // namespace kivo
