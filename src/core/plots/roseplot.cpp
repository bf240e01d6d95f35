// KIVO Log Viewer
#include "plots/roseplot.h"

#include "plots/plotstyle.h"
#include "plots/stereonetplot.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace kivo {

namespace {

// Qt's angles run counter-clockwise from East, azimuths clockwise from North.
double qtAngle(double azimuth)
{
    return 90.0 - azimuth;
}

void drawRings(QPainter &painter, const NetLayout &net, int largest, const QFont &font)
{
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font);
    // Rings at a quarter, half and three quarters of the largest count, and the largest.
    for (int quarter = 1; quarter <= 4; ++quarter) {
        const double r = net.radius * std::sqrt(quarter / 4.0);
        painter.setPen(quarter == 4 ? QPen(plotInk(), 1.5) : thinPen(painter, plotGrid()));
        painter.drawEllipse(net.centre, r, r);
        if (largest > 0 && quarter % 2 == 0) {
            painter.setPen(plotInk());
            painter.drawText(net.centre + QPointF(r * std::sqrt(0.5) + 2.0, -r * std::sqrt(0.5)),
                             QString::number(largest * quarter / 4.0, 'g', 3));
        }
    }
    const QFontMetricsF metrics(font);
    const char *const names[] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        const double a = qDegreesToRadians(90.0 * i);
        const QPointF along(std::sin(a), -std::cos(a));
        const QString name = QLatin1String(names[i]);
        const double width = metrics.horizontalAdvance(name);
        const QPointF middle = net.centre + along * (net.radius + 6.0 + width / 2.0 + 2.0);
        painter.drawText(middle + QPointF(-width / 2.0, metrics.capHeight() / 2.0), name);
    }
}

} // namespace

void drawRose(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
              const RoseOptions &options)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, plotPaper());
    const NetLayout net(area);
    const QFont font = plotFont(area);
    const RoseBins rose = roseBins(picks, options.mode, options.binWidth);
    const int largest = rose.largest();
    drawRings(painter, net, largest, font);

    painter.setPen(QPen(QColor(20, 60, 120), 1.0));
    painter.setBrush(QColor(70, 130, 200, 200));
    for (size_t i = 0; i < rose.counts.size(); ++i) {
        if (rose.counts[i] == 0)
            continue;
        const double r = net.radius * std::sqrt(double(rose.counts[i]) / largest);
        const QRectF circle(net.centre - QPointF(r, r), QSizeF(2.0 * r, 2.0 * r));
        QPainterPath petal(net.centre);
        petal.arcTo(circle, qtAngle(double(i) * rose.width), -rose.width);
        petal.closeSubpath();
        painter.drawPath(petal);
    }

    painter.setPen(plotInk());
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QString caption =
        QStringLiteral("n = %1, %2° bins, %3")
            .arg(rose.total)
            .arg(rose.width, 0, 'g', 3)
            .arg(options.mode == RoseMode::Strikes ? QStringLiteral("strikes")
                                                   : QStringLiteral("dip azimuths"));
    painter.drawText(QPointF(area.left() + 4.0, area.bottom() - 4.0 - metrics.descent()), caption);
    painter.restore();
}

} // namespace kivo
