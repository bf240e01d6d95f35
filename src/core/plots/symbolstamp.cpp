// KIVO Log Viewer
#include "plots/symbolstamp.h"

#include "plots/plotstyle.h"

#include <cmath>

namespace kivo {

SymbolStamp::SymbolStamp(QPainter &painter, double radius, double penWidth)
    : m_painter(painter)
    , m_radius(radius)
    , m_penWidth(penWidth)
    , m_stamped(drawsPixels(painter) && painter.worldTransform().type() <= QTransform::TxTranslate)
    , m_side(int(std::ceil(2.0 * (radius + penWidth))) + 3)
{}

const QImage &SymbolStamp::stamp(const QColor &fill, const QColor &outline)
{
    const QPair<QRgb, QRgb> key(fill.rgba(), outline.rgba());
    auto found = m_stamps.find(key);
    if (found != m_stamps.end())
        return *found;
    QImage image(m_side, m_side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, m_penWidth));
    painter.setBrush(fill);
    painter.drawEllipse(QPointF(m_side / 2.0, m_side / 2.0), m_radius, m_radius);
    painter.end();
    return *m_stamps.insert(key, image);
}

void SymbolStamp::draw(const QPointF &centre, const QColor &fill, const QColor &outline)
{
    if (!m_stamped) {
        m_painter.setPen(QPen(outline, m_penWidth));
        m_painter.setBrush(fill);
        m_painter.drawEllipse(centre, m_radius, m_radius);
        return;
    }
    const QImage &image = stamp(fill, outline);
    m_painter.drawImage(QPoint(int(std::lround(centre.x() - m_side / 2.0)),
                               int(std::lround(centre.y() - m_side / 2.0))),
                        image);
}

} // namespace kivo
