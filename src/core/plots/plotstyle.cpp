// KIVO Log Viewer
#include "plots/plotstyle.h"

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

} // namespace kivo
