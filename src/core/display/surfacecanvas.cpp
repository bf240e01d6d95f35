// KIVO Log Viewer
#include "display/surfacecanvas.h"

#include <limits>

#include "display/blockcopy.h"
#include "display/surface.h"

#include <algorithm>
#include <cstdlib>

namespace kivo {

namespace {

// Products of two 33-bit coordinate differences need more than 64 bits.
__extension__ using Int128 = __int128;

int signOf(qint64 value)
{
    return value > 0 ? 1 : (value < 0 ? -1 : 0);
}

} // namespace

TDirectDrawSurfaceCanvas::TDirectDrawSurfaceCanvas(TDirectDrawSurface &surface)
    : m_surface(surface)
{}

void TDirectDrawSurfaceCanvas::FillRect(const TRect &rect)
{
    const int left = std::max(rect.Left, 0);
    const int top = std::max(rect.Top, 0);
    const int right = std::min(rect.Right, m_surface.Width());
    const int bottom = std::min(rect.Bottom, m_surface.Height());
    if (left >= right || top >= bottom)
        return;
    const QRgb pixel = colorToRgb(Brush.Color);
    quint32 *bits = m_surface.runBits();
    const qsizetype stride = m_surface.stride();
    for (int y = top; y < bottom; ++y)
        std::fill(bits + y * stride + left, bits + y * stride + right, pixel);
}

void TDirectDrawSurfaceCanvas::MoveTo(int x, int y)
{
    m_penX = x;
    m_penY = y;
}

void TDirectDrawSurfaceCanvas::LineTo(int x, int y)
{
    const qint64 dx = qint64(x) - m_penX;
    const qint64 dy = qint64(y) - m_penY;
    const QRgb pixel = colorToRgb(Pen.Color);
    if (dy == 0 && dx != 0)
        drawSpan(m_penX, qint64(x) - signOf(dx), y, pixel);
    else if (dx == 0 && dy != 0)
        drawColumn(x, m_penY, qint64(y) - signOf(dy), pixel);
    else if (dx != 0)
        drawSlopedLine(m_penX, m_penY, x, y, pixel);
    MoveTo(x, y);
}

void TDirectDrawSurfaceCanvas::drawSpan(qint64 x0, qint64 x1, qint64 y, QRgb pixel)
{
    const qint64 left = std::max<qint64>(std::min(x0, x1), 0);
    const qint64 right = std::min<qint64>(std::max(x0, x1), m_surface.Width() - 1);
    if (y < 0 || y >= m_surface.Height() || left > right)
        return;
    quint32 *row = m_surface.runBits() + y * m_surface.stride();
    std::fill(row + left, row + right + 1, pixel);
}

void TDirectDrawSurfaceCanvas::drawColumn(qint64 x, qint64 y0, qint64 y1, QRgb pixel)
{
    const qint64 top = std::max<qint64>(std::min(y0, y1), 0);
    const qint64 bottom = std::min<qint64>(std::max(y0, y1), m_surface.Height() - 1);
    if (x < 0 || x >= m_surface.Width() || top > bottom)
        return;
    quint32 *bits = m_surface.runBits();
    const qsizetype stride = m_surface.stride();
    for (qint64 y = top; y <= bottom; ++y)
        bits[y * stride + x] = pixel;
}

void TDirectDrawSurfaceCanvas::drawSlopedLine(int x0, int y0, int x1, int y1, QRgb pixel)
{
    // Step i = 0 .. n - 1 along the longer (major) axis; the minor coordinate is the exact one
    // rounded, computed afresh for each step so that clipping can start anywhere.
    const qint64 dx = qint64(x1) - x0;
    const qint64 dy = qint64(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const qint64 majorStart = xMajor ? x0 : y0;
    const qint64 minorStart = xMajor ? y0 : x0;
    const int majorSign = signOf(xMajor ? dx : dy);
    const int minorSign = signOf(xMajor ? dy : dx);
    const qint64 steps = std::llabs(xMajor ? dx : dy);
    const qint64 minorLength = std::llabs(xMajor ? dy : dx);
    const qint64 majorSize = xMajor ? m_surface.Width() : m_surface.Height();
    const qint64 minorSize = xMajor ? m_surface.Height() : m_surface.Width();

    // Only the steps whose major coordinate lies on the surface.
    qint64 first = 0;
    qint64 last = steps; // exclusive
    if (majorSign > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorSize - majorStart);
    } else {
        first = std::max(first, majorStart - majorSize + 1);
        last = std::min(last, majorStart + 1);
    }

    quint32 *bits = m_surface.runBits();
    const qsizetype stride = m_surface.stride();
    for (qint64 i = first; i < last; ++i) {
        const auto offset = qint64((Int128(2) * i * minorLength + steps) / (Int128(2) * steps));
        const qint64 minor = minorStart + minorSign * offset;
        if (minor < 0 || minor >= minorSize)
            continue;
        const qint64 major = majorStart + majorSign * i;
        const qint64 x = xMajor ? major : minor;
        const qint64 y = xMajor ? minor : major;
        bits[y * stride + x] = pixel;
    }
}

void TDirectDrawSurfaceCanvas::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= m_surface.Width() || y >= m_surface.Height())
        return;
    m_surface.runBits()[y * m_surface.stride() + x] = colorToRgb(color);
}

void TDirectDrawSurfaceCanvas::TextOut(int x, int y, const QString &text)
{
    const TRect everywhere{std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
                           std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    TextRect(everywhere, x, y, text);
}

void TDirectDrawSurfaceCanvas::TextRect(const TRect &clip, int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    const QImage cell =
        m_textCells.cell(text, Font.Name, colorToRgb(Font.Color), colorToRgb(Brush.Color));
    // The part of the cell inside the clip rectangle, in the cell's own coordinates.
    const qint64 left = qMax<qint64>(x, clip.Left);
    const qint64 top = qMax<qint64>(y, clip.Top);
    const qint64 right = qMin<qint64>(qint64(x) + cell.width(), clip.Right);
    const qint64 bottom = qMin<qint64>(qint64(y) + cell.height(), clip.Bottom);
    if (right <= left || bottom <= top)
        return;
    const TRect part{int(left - x), int(top - y), int(right - x), int(bottom - y)};
    const auto block = clipBlock(part, cell.size(), int(left), int(top), m_surface.image().size());
    if (!block)
        return;
    copyBlock(m_surface.runBits(), m_surface.stride(),
              reinterpret_cast<const quint32 *>(cell.constBits()),
              cell.bytesPerLine() / qsizetype(sizeof(quint32)), *block);
}

QSize TDirectDrawSurfaceCanvas::TextExtent(const QString &text)
{
    return m_textCells.extent(text, Font.Name);
}

void TDirectDrawSurfaceCanvas::ReleaseCanvas()
{
    m_surface.endRun();
}

} // namespace kivo
