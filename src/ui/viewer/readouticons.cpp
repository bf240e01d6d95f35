// KIVO Log Viewer
#include "ui/viewer/readouticons.h"

#include <QPainter>
#include <QPainterPath>

namespace kivo {

namespace {

const QColor Grey(128, 128, 128);
const QColor Yellow(255, 255, 0);

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Grey);
    return pixmap;
}

} // namespace

QPixmap rulerIcon()
{
    QPixmap pixmap = canvas(10, 16);
    QPainter painter(&pixmap);
    painter.fillRect(2, 0, 6, 16, QColor(192, 192, 192));
    painter.setPen(Qt::black);
    painter.drawRect(2, 0, 5, 15);
    for (int y = 2; y < 15; y += 2)
        painter.drawLine(2, y, y % 6 == 2 ? 6 : 4, y);
    return pixmap;
}

QPixmap angleIcon()
{
    QPixmap pixmap = canvas(16, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Yellow, 1.2));
    painter.drawLine(QPointF(3, 15), QPointF(3, 3));  // the vertical
    painter.drawLine(QPointF(3, 15), QPointF(11, 5)); // the tool's axis, off the vertical
    painter.drawArc(QRectF(-3, 9, 12, 12), 52 * 16, 38 * 16);
    painter.drawEllipse(QRectF(11, 1, 3.5, 3.5)); // the degree sign
    return pixmap;
}

QPixmap northArrowIcon()
{
    QPixmap pixmap = canvas(12, 16);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(6, 0);
    arrow.lineTo(10, 7);
    arrow.lineTo(2, 7);
    arrow.closeSubpath();
    painter.fillPath(arrow, Yellow);
    painter.setPen(QPen(Yellow, 1));
    painter.drawLine(QPointF(6, 7), QPointF(6, 9));
    // The letter N under the arrow.
    painter.drawLine(QPointF(3.5, 15.5), QPointF(3.5, 10));
    painter.drawLine(QPointF(3.5, 10), QPointF(8.5, 15.5));
    painter.drawLine(QPointF(8.5, 15.5), QPointF(8.5, 10));
    return pixmap;
}

} // namespace kivo
