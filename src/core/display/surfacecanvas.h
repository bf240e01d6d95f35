// KIVO Log Viewer
#pragma once

#include "display/tcolor.h"
#include "display/textcellcache.h"
#include "display/trect.h"

#include <QSize>
#include <QString>

namespace kivo {

class TDirectDrawSurface;

// The canvas of a TDirectDrawSurface: fills, lines, pixels and text, each clipped to the
// surface. It belongs to its surface (TDirectDrawSurface::Canvas()) and keeps its settings for
// the surface's whole life, across ReleaseCanvas and re-sizing.
//
// Drawing happens in runs: the first drawing call after ReleaseCanvas (or ever) starts a run,
// ReleaseCanvas ends it, and only then may the surface be presented or captured.
class TDirectDrawSurfaceCanvas {
public:
    struct TBrush {
        TColor Color = clWhite; // FillRect, and the opaque background of TextOut
    };
    struct TPen {
        TColor Color = clBlack; // LineTo; the pen is solid and one pixel wide
    };
    struct TFont {
        TColor Color = clWindowText;
        QString Name = QStringLiteral("MS Sans Serif"); // the size stays the canvas default
    };

    // The toolkit's defaults, as every new canvas starts.
    TBrush Brush;
    TPen Pen;
    TFont Font;

    explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface &surface);
    TDirectDrawSurfaceCanvas(const TDirectDrawSurfaceCanvas &) = delete;
    TDirectDrawSurfaceCanvas &operator=(const TDirectDrawSurfaceCanvas &) = delete;

    // Fills x = Left..Right - 1, y = Top..Bottom - 1 with Brush.Color.
    void FillRect(const TRect &rect);
    void MoveTo(int x, int y);
    // A line in Pen.Color from the current position to (x, y), the end point itself not drawn;
    // (x, y) becomes the current position. A sloped line sets one pixel for each step along its
    // longer axis, the one nearest the exact line (halves away from the start).
    void LineTo(int x, int y);
    // A position outside the surface is ignored.
    void SetPixel(int x, int y, TColor color);
    // The text in Font.Color with its top-left at (x, y), on Brush.Color over its whole cell.
    // Throws KivoError when no QGuiApplication exists.
    void TextOut(int x, int y, const QString &text);
    // The same, drawing only the part of the cell inside clip.
    void TextRect(const TRect &clip, int x, int y, const QString &text);
    // Width and height of the text's cell in the current font.
    QSize TextExtent(const QString &text);
    // Ends the current run of drawing; drawing again starts a new run with the same settings.
    void ReleaseCanvas();

private:
    void drawSpan(qint64 x0, qint64 x1, qint64 y, QRgb pixel);   // x0..x1 inclusive, any order
    void drawColumn(qint64 x, qint64 y0, qint64 y1, QRgb pixel); // y0..y1 inclusive, any order
    void drawSlopedLine(int x0, int y0, int x1, int y1, QRgb pixel);

    TDirectDrawSurface &m_surface;
    int m_penX = 0;
    int m_penY = 0;
    TextCellCache m_textCells;
};

} // namespace kivo
