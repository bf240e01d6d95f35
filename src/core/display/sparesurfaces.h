// KIVO Log Viewer
#pragma once

#include "display/surface.h"
#include "display/tdib.h"

#include <QString>

#include <functional>
#include <memory>

namespace kivo {

class DisplayArea;

// The main window's handlers of the display area's OnInitialize and OnFinalize, with the state
// they keep: SpareSurface, a second off-screen surface at the area's size that nothing draws
// on, and SpareBitmap, the blank bitmap that sizes it. The owner connects the two handlers to
// the area's events; it must outlive the area's last Finalize (declare it before the area).
class SpareSurfaces {
public:
    using MessageFunction = std::function<void(const QString &text)>;

    // showMessage shows a message box with the given text.
    SpareSurfaces(const DisplayArea &area, MessageFunction showMessage);

    // Makes SpareSurface, makes SpareBitmap of the area's width and height and loads
    // SpareSurface from it. When a step fails it shows "Insufficient DIRECT DRAW Support" and
    // returns normally, keeping what it made.
    void DXDraw1Initialize();
    // Releases both; either may already be none.
    void DXDraw1Finalize();

    const TDirectDrawSurface *SpareSurface() const { return m_spareSurface.get(); }
    const TDIB *SpareBitmap() const { return m_spareBitmap.get(); }

private:
    const DisplayArea &m_area;
    MessageFunction m_showMessage;
    std::unique_ptr<TDirectDrawSurface> m_spareSurface;
    std::unique_ptr<TDIB> m_spareBitmap;
};

} // namespace kivo
