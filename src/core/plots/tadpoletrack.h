// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"

#include <QFont>
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

// Where things fall on a track: depth down (top of the range at the track's top), true dip 0 to
// 90 degrees across, the dips written above the track and, on screen, the depths at its left.
class TadpoleLayout {
public:
    static constexpr double HeadRadius = 4.0;
    static constexpr double TailLength = 12.0; // from the head's centre

    // A track within an area, with room in it for the labels and the heads at the edges.
    TadpoleLayout(const QRectF &area, const TadpoleRange &range);
    // A track on the rectangle given, its depth lines unlabelled: beside a printed image, whose
    // own scale gives the depths. The dips are written above the rectangle.
    static TadpoleLayout onTrack(const QRectF &track, const TadpoleRange &range);

    // What the track's drawing covers, labels included.
    const QRectF &area() const { return m_area; }
    const QRectF &track() const { return m_track; }
    const TadpoleRange &range() const { return m_range; }
    const QFont &font() const { return m_font; }
    bool labelsDepths() const { return m_labelsDepths; }
    double xOfDip(double dip) const;
    std::optional<double> yOfDepth(double depth) const; // nullopt outside the range
    // The head of a pick's tadpole, and the end of its tail (toward the dip azimuth, North up
    // and East right); nullopt for a pick without a dip or outside the range.
    std::optional<QPointF> head(const PlotPick &pick) const;
    std::optional<QPointF> tailEnd(const PlotPick &pick) const;

private:
    TadpoleLayout(const TadpoleRange &range, const QFont &font, bool labelsDepths);
    // The room the labels take above the track and, when it labels depths, at its left.
    double labelRoomAbove() const;
    double labelRoomLeft() const;

    QRectF m_area;
    QRectF m_track;
    TadpoleRange m_range;
    QFont m_font;
    bool m_labelsDepths = true;
};

void drawTadpoleTrack(QPainter &painter, const TadpoleLayout &layout,
                      const std::vector<PlotPick> &picks);
void drawTadpoleTrack(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
                      const TadpoleRange &range);
// The pick whose tadpole head is nearest a point, within a few pixels.
std::optional<PickId> tadpoleAt(const QRectF &area, const std::vector<PlotPick> &picks,
                                const TadpoleRange &range, const QPointF &point);

} // namespace kivo
