// KIVO Log Viewer
#include "ui/header/wellpicture.h"

#include <QLinearGradient>
#include <QPainter>

#include <iterator>

namespace kivo {

namespace {

constexpr int Width = 150;
constexpr int Height = 136;
constexpr int Surface = 46; // ground level
constexpr int HoleLeft = 96;
constexpr int HoleWidth = 12;
constexpr int CasingShoe = 78;

void drawStrata(QPainter &painter)
{
    struct Layer {
        int top;
        QColor colour;
    };
    const Layer layers[] = {
        {Surface, QColor(120, 92, 60)},        {Surface + 8, QColor(196, 164, 110)},
        {Surface + 30, QColor(150, 150, 140)}, {Surface + 52, QColor(212, 196, 150)},
        {Surface + 70, QColor(110, 110, 118)}, {Height, QColor()}};
    for (int i = 0; i + 1 < int(std::size(layers)); ++i)
        painter.fillRect(0, layers[i].top, Width, layers[i + 1].top - layers[i].top,
                         layers[i].colour);
    painter.fillRect(0, Surface, Width, 3, QColor(70, 130, 50)); // grass
}

void drawBorehole(QPainter &painter)
{
    painter.fillRect(HoleLeft, Surface, HoleWidth, Height - Surface - 4, QColor(40, 34, 30));
    painter.fillRect(HoleLeft - 3, Surface, 3, CasingShoe - Surface, QColor(170, 176, 186));
    painter.fillRect(HoleLeft + HoleWidth, Surface, 3, CasingShoe - Surface, QColor(170, 176, 186));
    // Sonde on the cable, with its sensor window.
    const int centre = HoleLeft + HoleWidth / 2;
    painter.setPen(QColor(20, 20, 20));
    painter.drawLine(centre, 12, centre, 100);
    painter.fillRect(centre - 3, 100, 7, 26, QColor(230, 180, 40));
    painter.fillRect(centre - 3, 110, 7, 5, QColor(60, 160, 230));
}

void drawSurfaceEquipment(QPainter &painter)
{
    const int centre = HoleLeft + HoleWidth / 2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 40, 30), 2));
    painter.drawLine(QPointF(centre - 16, Surface), QPointF(centre, 12));
    painter.drawLine(QPointF(centre + 16, Surface), QPointF(centre, 12));
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(QColor(230, 230, 230));
    painter.drawEllipse(QPointF(centre, 12), 4, 4);
    // The cable from the winch to the sheave.
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.drawLine(QPointF(40, 30), QPointF(centre - 3, 11));
    // The logging unit: cab, box and wheels.
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.setBrush(QColor(240, 240, 240));
    painter.drawRect(QRectF(10, 24, 34, 17));
    painter.setBrush(QColor(30, 90, 170));
    painter.drawRect(QRectF(44, 30, 12, 11));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(18, 42), 4, 4);
    painter.drawEllipse(QPointF(48, 42), 4, 4);
}

} // namespace

QPixmap wellPicture()
{
    QPixmap pixmap(Width, Height);
    QPainter painter(&pixmap);
    QLinearGradient sky(0, 0, 0, Surface);
    sky.setColorAt(0, QColor(120, 170, 230));
    sky.setColorAt(1, QColor(210, 230, 250));
    painter.fillRect(0, 0, Width, Surface, sky);
    drawStrata(painter);
    drawBorehole(painter);
    drawSurfaceEquipment(painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, Width - 1, Height - 1);
    return pixmap;
}

} // namespace kivo
