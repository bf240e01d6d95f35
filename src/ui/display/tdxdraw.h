// KIVO Log Viewer
#pragma once

#include "display/displayarea.h"
#include "shell/wheelnotches.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace kivo {

class TDIB;

// The display area on screen: owns the off-screen surface (through DisplayArea) at the widget's
// size, paints it in one copy when presented and whenever the window system asks, and shows the
// button-face colour while no surface exists.
class TDXDraw : public QWidget {
    Q_OBJECT

public:
    explicit TDXDraw(QWidget *parent = nullptr);
    ~TDXDraw() override;

    DisplayArea &area() { return m_area; }

    void Initialize() { m_area.Initialize(); }
    bool IsReady() const { return m_area.IsReady(); }
    void Present() { m_area.Present(); }
    void Finalize() { m_area.Finalize(); }
    TDirectDrawSurface *Surface() { return m_area.Surface(); }

    // How many times the surface has been put on screen (presents and repaints).
    int presentCount() const { return m_presentCount; }

    // Drawing laid over the picture as it goes on screen (the picks' traces), never into the
    // surface, whose picture the redraw passes keep and shift. It is given the frame's pixels
    // and the region of them it may draw in, and returns a rectangle holding what it has in the
    // whole frame, drawn or left out by the region, row for row (empty for none). None: the
    // surface as it is.
    using Overlay = std::function<QRect(QImage &frame, const QRegion &clip)>;
    void setOverlay(Overlay overlay);
    // Lays the overlay over a picture captured from the surface (copy, print screen), as the
    // screen shows it; without an overlay the capture stays as it is.
    void overlayOnto(TDIB &capture) const;

signals:
    // The area changed size; while initialised the surface was made again (content undefined).
    // Not emitted when the surface cannot have the new size: it then keeps its old size and
    // picture, and the user is told in an error box.
    void resized();
    // The mouse wheel turned over the area: steps of one notch, negative towards the user.
    void wheelTurned(int steps);
    // The same with Ctrl held, over the surface's row (which may lie outside it).
    void zoomWheelTurned(int steps, int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void reportRefusedSize();
    // After a line step: the picture on screen moves with the surface's, and only what the
    // pass drew anew and the overlay's rows, before and after, are painted again.
    void presentScrolled(int shift, const QRegion &changed);
    // Whole rows of the area from the rectangle's.
    QRegion rowsOf(const QRect &rect) const;

    DisplayArea m_area;
    Overlay m_overlay;
    QImage m_frame;       // the picture with the overlay where it cannot be drawn where it is shown
    QRect m_overlayDrawn; // where the overlay drew on the last frame painted
    int m_presentCount = 0;
    WheelNotches m_wheelNotches;
    bool m_sizeRefusalPending = false; // an error box about the size is due
};

} // namespace kivo
