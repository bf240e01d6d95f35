// KIVO Log Viewer
#include "plots/tadpoletrack.h"

#include "picks/typecolour.h"
#include "plots/plotstyle.h"
#include "plots/symbolstamp.h"

#include <QFontMetricsF>
#include <QHash>
#include <QtMath>

#include <cmath>

namespace kivo {

namespace {

constexpr double HitDistance = 6.0;

// A round step (1, 2 or 5 times a power of ten) that puts lines about every `pixels` of a span.
double roundStep(double span, double length, double pixels)
{
    const double raw = std::abs(span) * pixels / std::max(length, 1.0);
    if (!(raw > 0.0) || !std::isfinite(raw))
        return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power)
            return m * power;
    return 10.0 * power;
}

void drawGrid(QPainter &painter, const TadpoleLayout &layout)
{
    const QRectF &track = layout.track();
    const QFontMetricsF metrics(layout.font());
    painter.setFont(layout.font());
    for (int dip = 0; dip <= 90; dip += 10) {
        const double x = layout.xOfDip(dip);
        painter.setPen(thinPen(painter, dip % 30 == 0 ? plotInk() : plotGrid()));
        painter.drawLine(QPointF(x, track.top()), QPointF(x, track.bottom()));
        if (dip % 30 == 0) {
            const QString label = QString::number(dip);
            painter.setPen(plotInk());
            painter.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0,
                                     track.top() - metrics.descent() - 2.0),
                             label);
        }
    }
    const TadpoleRange &range = layout.range();
    const double step = roundStep(range.bottom - range.top, track.height(), 60.0);
    if (step <= 0.0)
        return;
    const double low = std::min(range.top, range.bottom);
    const double high = std::max(range.top, range.bottom);
    for (double depth = std::ceil(low / step) * step; depth <= high; depth += step) {
        const auto yOfLine = layout.yOfDepth(depth);
        if (!yOfLine)
            continue;
        const double y = *yOfLine;
        painter.setPen(thinPen(painter, plotGrid()));
        painter.drawLine(QPointF(track.left(), y), QPointF(track.right(), y));
        if (!layout.labelsDepths())
            continue;
        const int decimals = std::max(0, int(-std::floor(std::log10(step))));
        const QString label = QString::number(depth, 'f', decimals);
        painter.setPen(plotInk());
        painter.drawText(QPointF(track.left() - metrics.horizontalAdvance(label) - 4.0,
                                 y + metrics.capHeight() / 2.0),
                         label);
    }
    painter.setPen(QPen(plotInk(), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(track);
}

} // namespace

TadpoleLayout::TadpoleLayout(const TadpoleRange &range, const QFont &font, bool labelsDepths)
    : m_range(range)
    , m_font(font)
    , m_labelsDepths(labelsDepths)
{}

TadpoleLayout::TadpoleLayout(const QRectF &area, const TadpoleRange &range)
    : TadpoleLayout(range, plotFont(area), true)
{
    m_area = area;
    m_track =
        area.adjusted(labelRoomLeft(), labelRoomAbove(), -(HeadRadius + 4.0), -(HeadRadius + 2.0));
}

TadpoleLayout TadpoleLayout::onTrack(const QRectF &track, const TadpoleRange &range)
{
    TadpoleLayout layout(range, plotFont(track), false);
    layout.m_track = track;
    layout.m_area = track.adjusted(-(HeadRadius + 4.0), -layout.labelRoomAbove(), HeadRadius + 4.0,
                                   HeadRadius + 2.0);
    return layout;
}

double TadpoleLayout::labelRoomAbove() const
{
    return QFontMetricsF(m_font).height() + 6.0;
}

double TadpoleLayout::labelRoomLeft() const
{
    return m_labelsDepths
               ? QFontMetricsF(m_font).horizontalAdvance(QStringLiteral("00000.00")) + 8.0
               : HeadRadius + 4.0;
}

double TadpoleLayout::xOfDip(double dip) const
{
    return m_track.left() + std::clamp(dip, 0.0, 90.0) / 90.0 * m_track.width();
}

std::optional<double> TadpoleLayout::yOfDepth(double depth) const
{
    const double span = m_range.bottom - m_range.top;
    if (span == 0.0)
        return std::nullopt;
    const double t = (depth - m_range.top) / span;
    if (!(t >= -1e-9 && t <= 1.0 + 1e-9))
        return std::nullopt;
    return m_track.top() + t * m_track.height();
}

std::optional<QPointF> TadpoleLayout::head(const PlotPick &pick) const
{
    const auto y = yOfDepth(pick.depth);
    if (!pick.dip || !y)
        return std::nullopt;
    return QPointF(xOfDip(*pick.dip), *y);
}

std::optional<QPointF> TadpoleLayout::tailEnd(const PlotPick &pick) const
{
    const auto h = head(pick);
    if (!h || !pick.dipAzimuth)
        return std::nullopt;
    const double azimuth = qDegreesToRadians(*pick.dipAzimuth);
    return *h + QPointF(std::sin(azimuth), -std::cos(azimuth)) * TailLength;
}

void drawTadpoleTrack(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
                      const TadpoleRange &range)
{
    drawTadpoleTrack(painter, TadpoleLayout(area, range), picks);
}

void drawTadpoleTrack(QPainter &painter, const TadpoleLayout &layout,
                      const std::vector<PlotPick> &picks)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(layout.area(), plotPaper());
    drawGrid(painter, layout);
    painter.setClipRect(layout.area());
    // The tails of one type in one call, then the heads over them.
    QHash<QRgb, QVector<QLineF>> tails;
    for (const PlotPick &pick : picks) {
        const auto head = layout.head(pick);
        const auto tail = layout.tailEnd(pick);
        if (!head || !tail)
            continue;
        // The tail starts at the head's rim, so that it never covers the head's fill.
        const QPointF along = (*tail - *head) / TadpoleLayout::TailLength;
        tails[pickTypeColour(pick.type).rgb()]
            << QLineF(*head + along * TadpoleLayout::HeadRadius, *tail);
    }
    for (auto it = tails.cbegin(); it != tails.cend(); ++it) {
        painter.setPen(QPen(symbolOutline(QColor(it.key())), 1.5));
        painter.drawLines(it.value());
    }
    SymbolStamp stamp(painter, TadpoleLayout::HeadRadius, 1.5);
    for (const PlotPick &pick : picks) {
        if (const auto head = layout.head(pick)) {
            const QColor colour = pickTypeColour(pick.type);
            stamp.draw(*head, pick.oriented ? colour : plotPaper(), symbolOutline(colour));
        }
    }
    painter.restore();
}

std::optional<PickId> tadpoleAt(const QRectF &area, const std::vector<PlotPick> &picks,
                                const TadpoleRange &range, const QPointF &point)
{
    const TadpoleLayout layout(area, range);
    std::optional<PickId> nearest;
    double best = HitDistance;
    for (const PlotPick &pick : picks) {
        if (const auto head = layout.head(pick)) {
            const double distance = std::hypot(head->x() - point.x(), head->y() - point.y());
            if (distance <= best) {
                best = distance;
                nearest = pick.id;
            }
        }
    }
    return nearest;
}

} // namespace kivo
