// KIVO Log Viewer
#include "display/sparesurfaces.h"

#include "display/displayarea.h"

#include <exception>

namespace kivo {

SpareSurfaces::SpareSurfaces(const DisplayArea &area, MessageFunction showMessage)
    : m_area(area)
    , m_showMessage(std::move(showMessage))
{}

void SpareSurfaces::DXDraw1Initialize()
{
    try {
        m_spareSurface = std::make_unique<TDirectDrawSurface>();
        m_spareBitmap = std::make_unique<TDIB>();
        m_spareBitmap->setSize(m_area.width(), m_area.height());
        m_spareSurface->loadFromBitmap(*m_spareBitmap);
    } catch (const std::exception &) {
        // The failure does not stop the area's Initialize; the message is its only report.
        if (m_showMessage)
            m_showMessage(QStringLiteral("Insufficient DIRECT DRAW Support"));
    }
}

void SpareSurfaces::DXDraw1Finalize()
{
    m_spareSurface.reset();
    m_spareBitmap.reset();
}

} // namespace kivo
