// KIVO Log Viewer
//
// Draws LOGO.BMP, the logo the header sheet shows in its box: the letters KIVO above an
// unrolled borehole wall crossed by a fracture's sinusoid, black on white, one bit a pixel.
// Run by the build; the letters are strokes rather than text, so that no font is needed.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cmath>
#include <cstdio>

namespace {

// The sheet's logo box holds 395 x 396 pixels.
constexpr int Width = 395;
constexpr int Height = 396;

void drawLetters(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, 16, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const int top = 44;
    const int bottom = 150;
    const int middle = (top + bottom) / 2;
    // K
    painter.drawLine(48, top, 48, bottom);
    painter.drawLine(112, top, 56, middle);
    painter.drawLine(64, middle - 6, 114, bottom);
    // I
    painter.drawLine(150, top, 150, bottom);
    // V
    painter.drawPolyline(QPolygon({QPoint(186, top), QPoint(222, bottom), QPoint(258, top)}));
    // O
    painter.drawEllipse(QRect(290, top, 62, bottom - top));
}

void drawWall(QPainter &painter)
{
    const QRect wall(40, 190, 315, 160);
    painter.setPen(QPen(Qt::black, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(wall);
    // Bedding: thin horizontal lines, a few of them doubled.
    painter.setPen(QPen(Qt::black, 2));
    for (int y = wall.top() + 14; y < wall.bottom() - 6; y += 18) {
        painter.drawLine(wall.left() + 8, y, wall.right() - 8, y);
        if ((y / 18) % 3 == 0)
            painter.drawLine(wall.left() + 8, y + 4, wall.right() - 8, y + 4);
    }
    // One period of a dipping fracture's trace, white-edged so that it stands out of the bands.
    QPainterPath trace;
    const double amplitude = 48;
    for (int x = 0; x <= wall.width(); ++x) {
        const double y = wall.center().y() - amplitude * std::cos(2 * M_PI * x / wall.width());
        if (x == 0)
            trace.moveTo(wall.left() + x, y);
        else
            trace.lineTo(wall.left() + x, y);
    }
    painter.strokePath(trace, QPen(Qt::white, 22));
    painter.strokePath(trace, QPen(Qt::black, 10));
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(wall);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.BMP\n", argv[0]);
        return 1;
    }
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawLetters(painter);
        drawWall(painter);
    }
    // Written whole or not at all: a failed build leaves no half a logo behind.
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) ||
        !image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(&file, "BMP") ||
        !file.commit()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
