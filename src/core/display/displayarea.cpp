// KIVO Log Viewer
#include "display/displayarea.h"

#include "kivoerror.h"

#include <QScopeGuard>

#include <algorithm>

namespace kivo {

DisplayArea::~DisplayArea()
{
    Finalize();
}

bool DisplayArea::setSize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    if (!m_surface || (m_surface->Width() == m_width && m_surface->Height() == m_height))
        return true;
    try {
        m_surface->resize(m_width, m_height);
    } catch (const KivoError &) {
        return false; // the caller learns that the old surface stays
    }
    return true;
}

void DisplayArea::Initialize()
{
    if (m_busy)
        return;
    Finalize();
    m_busy = true;
    const auto done = qScopeGuard([this] { m_busy = false; });
    m_surface = std::make_unique<TDirectDrawSurface>(m_width, m_height);
    m_initialized = true;
    if (OnInitialize)
        OnInitialize();
}

bool DisplayArea::IsReady() const
{
    return m_initialized && !m_busy && m_surface;
}

void DisplayArea::Present()
{
    if (IsReady() && m_presenter)
        m_presenter(m_surface->image());
}

void DisplayArea::Present(int shift, const QRegion &changed)
{
    if (!m_scrollPresenter) {
        Present();
        return;
    }
    if (IsReady())
        m_scrollPresenter(m_surface->image(), shift, changed);
}

void DisplayArea::Finalize()
{
    if (!m_initialized || m_busy)
        return;
    m_busy = true;
    const auto done = qScopeGuard([this] {
        m_surface.reset();
        m_initialized = false;
        m_busy = false;
    });
    if (OnFinalize)
        OnFinalize();
}

} // namespace kivo
