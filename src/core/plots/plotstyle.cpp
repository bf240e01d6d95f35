// KIVO Log Viewer
#include "plots/plotstyle.h"

#include <QPaintEngine>

#include <algorithm>

namespace kivo {

QColor plotPaper()
{
    return Qt::white;
}

QColor plotInk()
{
    return QColor(32, 32, 32);
}

QColor plotGrid()
{
    return QColor(200, 200, 200);
}

QFont plotFont(const QRectF &area)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::clamp(int(std::min(area.width(), area.height()) / 32.0), 9, 16));
    return font;
}

QColor symbolOutline(const QColor &fill)
{
    return fill.darker(170);
}

bool drawsPixels(const QPainter &painter)
{
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
}

QPen thinPen(const QPainter &painter, const QColor &colour)
{
    QPen pen(colour, 1.0);
    pen.setCosmetic(drawsPixels(painter));
    return pen;
}

} // namespace kivo
