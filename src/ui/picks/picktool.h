// KIVO Log Viewer
#pragma once

#include "picks/pickset.h"
#include "picks/sinusoidfit.h"
#include "picks/traceoverlay.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QMouseEvent;

namespace kivo {

class LogSession;
class TDXDraw;

// Picking on the image. In pick mode each click adds a point (the depth of the record on its
// row and the azimuth of its column); from the third point on the fitted sinusoid is drawn live,
// and finish() (Enter, a double click) makes it a pick, cancel() (Esc) drops it. Outside pick
// mode a click on a trace selects its pick; dragging the selected trace moves it up or down,
// dragging its trough (the marked deepest point) fits it anew. Every change goes through the
// pick set, so it can be undone. The tool also draws the overlay: the picks' traces in their
// type's colour, the selected one wider, the detector's candidates dashed in their own colour, and
// the pick being made.
class PickTool : public QObject {
    Q_OBJECT

public:
    // rowDepths gives the depth (log unit) of the record on each row of the view as drawn now.
    PickTool(LogSession &session, TDXDraw &area,
             std::function<std::vector<std::optional<double>>()> rowDepths,
             QObject *parent = nullptr);

    bool picking() const { return m_picking; }
    void startPicking();
    void finish();
    void cancel();

    // Traces shown over the image (the Picks menu's "Show Picks").
    void setShown(bool shown);
    bool shown() const { return m_shown; }

    std::optional<PickId> selected() const { return m_selected; }
    void select(std::optional<PickId> id);

    // The points of the pick being made, and their fit once there are three azimuths.
    const QList<PickPoint> &points() const { return m_points; }
    const std::optional<SinusoidFit> &liveFit() const { return m_fit; }

    // Where a pick's trace (or its trough) is on the area now, for drags and tests: nullopt when
    // out of view.
    std::optional<QPoint> tracePoint(PickId id, double azimuth) const;
    std::optional<QPoint> troughPoint(PickId id) const;

    // Draws the overlay on a frame of the view, within the region; returns where it is in the
    // whole frame, drawn or not.
    QRect drawOverlay(QImage &frame, const QRegion &clip) const;

    // Asks for a diameter when a new pick has none (no bit record at its depth and none given):
    // the answer, or nullopt when the user declines. Replaceable for tests.
    std::function<std::optional<double>(double depth)> askDiameter;

signals:
    void pickingChanged(bool picking);
    void selectionChanged(std::optional<PickId> id);
    // What the pointer is over, in pick mode with the live fit's dips.
    void pointerText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Drag { None, Move, Trough };

    struct Spot {
        double depth;
        double azimuth;
    };
    std::optional<Spot> spotAt(const QPoint &point) const;
    RowDepthMap rowMap() const;
    std::optional<PickId> traceAt(const QPoint &point) const;
    void press(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    void refit();
    void describe(const QPoint &point);
    void repaint();

    LogSession &m_session;
    TDXDraw &m_area;
    std::function<std::vector<std::optional<double>>()> m_rowDepths;
    bool m_picking = false;
    bool m_shown = true;
    QList<PickPoint> m_points;
    std::optional<SinusoidFit> m_fit;
    std::optional<PickId> m_selected;
    Drag m_drag = Drag::None;
    QPoint m_pressAt;
    std::optional<Sinusoid> m_dragged; // the selected trace as the drag has it
    mutable TraceOverlay m_overlay;    // the traces' shapes, kept from frame to frame
};

} // namespace kivo
