// KIVO Log Viewer
#include "print/printscreen.h"

#include "display/tdib.h"
#include "kivoerror.h"

#include <QFontMetrics>
#include <QPainter>

namespace kivo {

PrintScale PrintScale::compute(int pageWidth, int surfaceWidth, int orientationMode)
{
    if (surfaceWidth <= 0)
        throw KivoError(QStringLiteral("The screen is empty: there is nothing to print."));
    // In whole numbers the truncation is exact even where pageWidth * 64 is a multiple of the
    // width, which a quotient in floating point can miss by one.
    return spanning(int(qint64(pageWidth) * DepthScaleWidth / surfaceWidth), pageWidth,
                    orientationMode);
}

PrintScale PrintScale::spanning(int x0, int right, int orientationMode)
{
    PrintScale scale;
    scale.x0 = x0;
    scale.step = (right - scale.x0) / (Ticks - 1);
    for (int i = 0; i < Ticks; ++i)
        scale.ticks[size_t(i)] = scale.x0 + scale.step * i;

    const char *const compass[] = {"N", "E", "S", "W", "N"};
    const char *const tool[] = {"D", "L", "U", "R", "D"};
    const char *const *names = orientationMode == 1 ? compass : tool;
    const int offsets[] = {0, -10, -10, -10, -20};
    for (size_t j = 0; j < scale.letters.size(); ++j)
        scale.letters[j] = {scale.ticks[j * 5] + offsets[j], QString::fromLatin1(names[j])};
    return scale;
}

void drawPrintScale(QPainter &painter, const QPoint &origin, const PrintScale &scale)
{
    for (int x : scale.ticks)
        painter.drawLine(origin.x() + x, origin.y() + PrintScale::TickTop, origin.x() + x,
                         origin.y() + PrintScale::BandHeight);
    const int ascent = QFontMetrics(painter.font(), painter.device()).ascent();
    for (const PrintScale::Letter &letter : scale.letters)
        painter.drawText(origin.x() + letter.x, origin.y() + ascent, letter.text);
}

void drawPrintScreen(QPainter &painter, const QRect &page, const TDIB &capture,
                     const PrintScale &scale)
{
    drawPrintScale(painter, page.topLeft(), scale);
    // Every pixel of the capture reaches the page: no lossy compression in a print job.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    capture.StretchDraw(painter, page.adjusted(0, PrintScale::BandHeight, 0, 0));
}

} // namespace kivo
