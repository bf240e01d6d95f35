// KIVO Log Viewer
#pragma once

#include "display/displayarea.h"
#include "shell/wheelnotches.h"

#include <QWidget>

namespace kivo {

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

signals:
    // The area changed size; while initialised the surface was made again (content undefined).
    // Not emitted when the surface cannot have the new size: it then keeps its old size and
    // picture, and the user is told in an error box.
    void resized();
    // The mouse wheel turned over the area: steps of one notch, negative towards the user.
    void wheelTurned(int steps);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void reportRefusedSize();

    DisplayArea m_area;
    int m_presentCount = 0;
    WheelNotches m_wheelNotches;
    bool m_sizeRefusalPending = false; // an error box about the size is due
};

} // namespace kivo
