// KIVO Log Viewer
#pragma once

#include "display/surface.h"

#include <QImage>
#include <QRegion>

#include <functional>
#include <memory>

namespace kivo {

// The display area TDXDraw without its widget: the off-screen Surface at the area's size, its
// life from Initialize to Finalize, and Present. The widget owns one, passes its size on with
// setSize and sets a presenter that puts the picture on screen; while the area is not ready
// the widget shows the button-face colour itself.
class DisplayArea {
public:
    // Shows a picture the size of the surface at the area's top-left (centred should the sizes
    // differ). It should paint the picture at once and keep no copy: a copy held while the
    // next run of drawing starts makes that run copy the surface first.
    using Presenter = std::function<void(const QImage &picture)>;
    // Shows a picture that differs from the one presented before only in that it moved down by
    // shift rows (up when negative) and was then drawn anew in the changed region.
    using ScrollPresenter =
        std::function<void(const QImage &picture, int shift, const QRegion &changed)>;

    DisplayArea() = default;
    // Runs Finalize.
    ~DisplayArea();
    DisplayArea(const DisplayArea &) = delete;
    DisplayArea &operator=(const DisplayArea &) = delete;

    // Raised by Initialize once Surface exists, and by Finalize while it still exists.
    std::function<void()> OnInitialize;
    std::function<void()> OnFinalize;

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The area's new size (negative values count as 0). While initialised the surface is made
    // again at that size, content black and canvas settings kept, without OnFinalize or
    // OnInitialize. Returns false when the surface cannot have the new size; it then keeps its
    // old size and content.
    bool setSize(int width, int height);
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }
    void setScrollPresenter(ScrollPresenter presenter) { m_scrollPresenter = std::move(presenter); }

    // Runs Finalize when initialised, makes Surface at the area's size, marks the area
    // initialised and raises OnInitialize. Throws KivoError "Surface cannot be made" and stays
    // uninitialised when the surface cannot be made (a size of 0, or beyond a surface's limit).
    // Called from within OnInitialize or OnFinalize it does nothing.
    void Initialize();
    // Initialised, no Initialize or Finalize going on, and Surface exists.
    bool IsReady() const;
    // When IsReady: hands the surface's picture to the presenter. Otherwise nothing.
    void Present();
    // The same after a pass that moved the picture and drew the changed region anew: to the
    // scroll presenter, or without one to the presenter.
    void Present(int shift, const QRegion &changed);
    // When initialised: raises OnFinalize, then releases Surface and its canvas; the area is
    // then uninitialised. Otherwise nothing, and also nothing from within OnInitialize or
    // OnFinalize.
    void Finalize();
    bool isInitialized() const { return m_initialized; }

    // The off-screen surface while initialised, nullptr otherwise.
    TDirectDrawSurface *Surface() { return m_surface.get(); }
    const TDirectDrawSurface *Surface() const { return m_surface.get(); }

private:
    int m_width = 0;
    int m_height = 0;
    bool m_initialized = false;
    bool m_busy = false; // in Initialize or Finalize, events included
    std::unique_ptr<TDirectDrawSurface> m_surface;
    Presenter m_presenter;
    ScrollPresenter m_scrollPresenter;
};

} // namespace kivo
