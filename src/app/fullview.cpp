// KIVO Log Viewer
#include "app/fullview.h"

#include "app/logview.h"
#include "app/striprenderer.h"
#include "display/displayarea.h"

namespace kivo {

TDIB fullViewPicture(ImageFile &file, const LogLayout &layout, const ViewGeometry &view,
                     qint64 position, const TColourMap &colours)
{
    DisplayArea area;
    area.setSize(view.surfaceWidth(), view.rows);
    area.Initialize();
    TDirectDrawSurface &surface = *area.Surface();
    StripRenderer::PrepareSurfaceA(surface);
    StripRenderer::PrepareSurfaceB(surface);
    LogView logView(area, file, colours, layout);
    logView.setGeometry(view);
    logView.fullPass(position);
    TDIB picture;
    surface.CaptureTo(picture);
    return picture;
}

} // namespace kivo
