// KIVO Log Viewer
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>

namespace kivo {

// Draws many round symbols of a few looks quickly. On a picture or a window (the raster
// engine, without scaling) each look is drawn once, antialiased, and stamped at every place
// to the nearest pixel: thousands of poles then cost a few milliseconds. On SVG and PDF every
// symbol stays a vector ellipse.
class SymbolStamp {
public:
    SymbolStamp(QPainter &painter, double radius, double penWidth);

    void draw(const QPointF &centre, const QColor &fill, const QColor &outline);

private:
    const QImage &stamp(const QColor &fill, const QColor &outline);

    QPainter &m_painter;
    double m_radius;
    double m_penWidth;
    bool m_stamped;
    int m_side;
    QHash<QPair<QRgb, QRgb>, QImage> m_stamps;
};

} // namespace kivo
