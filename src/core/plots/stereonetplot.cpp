// KIVO Log Viewer
#include "plots/stereonetplot.h"

#include "picks/typecolour.h"
#include "plots/contours.h"
#include "plots/fisher.h"
#include "plots/plotstyle.h"
#include "plots/symbolstamp.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace kivo {

namespace {

constexpr double PoleRadius = 3.5;
constexpr double HitDistance = 6.0;
// A trace drawn in 4-degree steps looks round at any size a screen or page gives it.
constexpr int TraceSteps = 45;

QPolygonF pixelPolyline(const NetLayout &net, const std::vector<NetPoint> &points)
{
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const NetPoint &p : points)
        polygon << net.toPixel(p);
    return polygon;
}

// The small circle at a half-angle from the North end of the N-S axis, lower hemisphere.
std::vector<NetPoint> smallCircle(double halfAngle, int steps = 90)
{
    const double c = qDegreesToRadians(halfAngle);
    std::vector<NetPoint> points;
    for (int i = 0; i <= steps; ++i) {
        // Round the axis from East through Down to West.
        const double t = M_PI * i / steps;
        points.push_back(
            projectDirection({std::sin(c) * std::cos(t), std::cos(c), -std::sin(c) * std::sin(t)}));
    }
    return points;
}

void drawGraticule(QPainter &painter, const NetLayout &net)
{
    painter.setPen(thinPen(painter, plotGrid()));
    painter.setBrush(Qt::NoBrush);
    for (int dip = 10; dip <= 90; dip += 10) {
        painter.drawPolyline(pixelPolyline(net, greatCircle(dip, 90.0)));
        painter.drawPolyline(pixelPolyline(net, greatCircle(dip, 270.0)));
    }
    for (int angle = 10; angle < 180; angle += 10)
        if (angle != 90)
            painter.drawPolyline(pixelPolyline(net, smallCircle(angle)));
}

QColor contourColour(int k, int levels)
{
    // From blue to red over the levels.
    const double t = levels > 1 ? double(k) / (levels - 1) : 1.0;
    return QColor::fromHsvF(0.66 * (1.0 - t), 0.8, 0.85);
}

void drawContours(QPainter &painter, const NetLayout &net, const std::vector<PlotPick> &picks,
                  const StereonetOptions &options)
{
    const std::vector<ContourLevel> levels =
        contourLines(poleDensity(picks, options.method, options.weighted));
    for (size_t k = 0; k < levels.size(); ++k) {
        painter.setPen(thinPen(painter, contourColour(int(k), int(levels.size()))));
        QVector<QLineF> lines;
        lines.reserve(qsizetype(levels[k].segments.size()));
        for (const auto &[a, b] : levels[k].segments)
            lines << QLineF(net.toPixel(a), net.toPixel(b));
        painter.drawLines(lines);
    }
}

void drawFrame(QPainter &painter, const NetLayout &net, const QFont &font)
{
    painter.setPen(QPen(plotInk(), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(net.centre, net.radius, net.radius);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const char *const names[] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        const double a = qDegreesToRadians(90.0 * i);
        const QPointF along(std::sin(a), -std::cos(a));
        painter.drawLine(net.centre + along * net.radius, net.centre + along * (net.radius + 6.0));
        const QString name = QLatin1String(names[i]);
        const QSizeF size(metrics.horizontalAdvance(name), metrics.capHeight());
        const QPointF middle = net.centre + along * (net.radius + 8.0 + size.width() / 2.0 + 2.0);
        painter.drawText(middle + QPointF(-size.width() / 2.0, size.height() / 2.0), name);
    }
    // A cross at the centre, where vertical lines plot.
    painter.setPen(QPen(plotInk(), 1.0));
    painter.drawLine(net.centre - QPointF(4, 0), net.centre + QPointF(4, 0));
    painter.drawLine(net.centre - QPointF(0, 4), net.centre + QPointF(0, 4));
}

void drawPicks(QPainter &painter, const NetLayout &net, const std::vector<PlotPick> &picks,
               bool greatCircles)
{
    SymbolStamp stamp(painter, PoleRadius, 1.0);
    for (const PlotPick &pick : picks) {
        if (!pick.hasPole())
            continue;
        const QColor colour = pickTypeColour(pick.type);
        if (greatCircles) {
            painter.setPen(thinPen(painter, symbolOutline(colour)));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(
                pixelPolyline(net, greatCircle(*pick.dip, pick.poleAzimuth(), TraceSteps)));
            continue;
        }
        stamp.draw(net.toPixel(projectLine(poleOf(*pick.dip, pick.poleAzimuth()))), colour,
                   symbolOutline(colour));
    }
}

void drawStatistics(QPainter &painter, const QRectF &area, const NetLayout &net,
                    const std::vector<PlotPick> &picks, const StereonetOptions &options,
                    const QFont &font)
{
    const std::optional<MeanPole> mean = meanPole(picks);
    QStringList lines;
    lines << QStringLiteral("n = %1").arg(mean ? mean->count : 0);
    if (mean && mean->count > 1) {
        const QPointF at = net.toPixel(projectLine(mean->pole));
        painter.setPen(QPen(plotInk(), 2.0));
        painter.drawLine(at - QPointF(6, 6), at + QPointF(6, 6));
        painter.drawLine(at - QPointF(6, -6), at + QPointF(6, -6));
        lines << QStringLiteral("mean %1/%2")
                     .arg(mean->dip, 0, 'f', 0)
                     .arg(mean->dipAzimuth, 3, 'f', 0, QLatin1Char('0'));
        lines << (mean->fisherK ? QStringLiteral("K = %1").arg(*mean->fisherK, 0, 'f', 1)
                                : QStringLiteral("K = inf"));
    }
    if (options.contours)
        lines << (options.method == DensityMethod::Kamb ? QStringLiteral("Kamb, 2σ")
                                                        : QStringLiteral("1 % circle, 1 %"));
    painter.setPen(plotInk());
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    double y = area.bottom() - 4.0 - metrics.descent() - metrics.height() * (lines.size() - 1);
    for (const QString &line : lines) {
        painter.drawText(QPointF(area.left() + 4.0, y), line);
        y += metrics.height();
    }
}

} // namespace

NetLayout::NetLayout(const QRectF &area)
{
    const double margin = plotFont(area).pixelSize() + 14.0;
    centre = area.center();
    radius = std::max(1.0, std::min(area.width(), area.height()) / 2.0 - margin);
}

QPointF NetLayout::toPixel(const NetPoint &point) const
{
    return centre + QPointF(point.x, -point.y) * radius;
}

void drawStereonet(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
                   const StereonetOptions &options)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, plotPaper());
    const NetLayout net(area);
    const QFont font = plotFont(area);
    QPainterPath primitive;
    primitive.addEllipse(net.centre, net.radius, net.radius);
    painter.save();
    painter.setClipPath(primitive, Qt::IntersectClip);
    if (options.graticule)
        drawGraticule(painter, net);
    if (options.contours)
        drawContours(painter, net, picks, options);
    painter.restore();
    drawFrame(painter, net, font);
    drawPicks(painter, net, picks, options.greatCircles);
    drawStatistics(painter, area, net, picks, options, font);
    painter.restore();
}

std::optional<PickId> stereonetPickAt(const QRectF &area, const std::vector<PlotPick> &picks,
                                      const StereonetOptions &options, const QPointF &point)
{
    const NetLayout net(area);
    std::optional<PickId> nearest;
    double best = HitDistance;
    const auto consider = [&](const PlotPick &pick, const QPointF &at) {
        const double distance = std::hypot(at.x() - point.x(), at.y() - point.y());
        if (distance <= best) {
            best = distance;
            nearest = pick.id;
        }
    };
    for (const PlotPick &pick : picks) {
        if (!pick.hasPole())
            continue;
        if (!options.greatCircles) {
            consider(pick, net.toPixel(projectLine(poleOf(*pick.dip, pick.poleAzimuth()))));
            continue;
        }
        // The trace's points lie a few pixels apart on any net a window shows.
        for (const NetPoint &p : greatCircle(*pick.dip, pick.poleAzimuth(), 180))
            consider(pick, net.toPixel(p));
    }
    return nearest;
}

} // namespace kivo
