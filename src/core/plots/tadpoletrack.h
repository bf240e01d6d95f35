// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace kivo {

// The depths a tadpole track spans, top to bottom (either way round), and the unit they are
// written in.
struct TadpoleRange {
    double top = 0.0;
    double bottom = 1.0;
    QString unitSuffix;
};

// The end of a tadpole's tail of a length drawn from its head toward a dip azimuth in degrees,
// with North up the page and East right: the one rule of every tadpole track, on screen and
// on paper.
QPointF tadpoleTail(const QPointF &head, double dipAzimuth, double length);

// Where things fall on a track drawn in an area: depth down (top of the range at the track's
// top), true dip 0 to 90 degrees across, a margin for the depths on the left and the dips above.
class TadpoleLayout {
public:
    static constexpr double HeadRadius = 4.0;
    static constexpr double TailLength = 12.0; // from the head's centre

    TadpoleLayout(const QRectF &area, const TadpoleRange &range);

    const QRectF &track() const { return m_track; }
    const TadpoleRange &range() const { return m_range; }
    double xOfDip(double dip) const;
    std::optional<double> yOfDepth(double depth) const; // nullopt outside the range
    // The head of a pick's tadpole, and the end of its tail (toward the dip azimuth, North up
    // and East right); nullopt for a pick without a dip or outside the range.
    std::optional<QPointF> head(const PlotPick &pick) const;
    std::optional<QPointF> tailEnd(const PlotPick &pick) const;

private:
    QRectF m_track;
    TadpoleRange m_range;
};

void drawTadpoleTrack(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
                      const TadpoleRange &range);
// The pick whose tadpole head is nearest a point, within a few pixels.
std::optional<PickId> tadpoleAt(const QRectF &area, const std::vector<PlotPick> &picks,
                                const TadpoleRange &range, const QPointF &point);

} // namespace kivo
