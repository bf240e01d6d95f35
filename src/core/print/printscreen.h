// KIVO Log Viewer
#pragma once

#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace kivo {

class TDIB;

// The orientation scale that Print Screen prints above the captured surface. The capture is
// stretched across the whole page width, so surface column 64, where the image proper begins
// right of the depth scale, lands at x0 = trunc(PW * 64 / W); the 20 intervals from there to the
// page's right edge divide the image into equal parts, 18 degrees each for a full circle.
struct PrintScale {
    static constexpr int DepthScaleWidth = 64; // surface columns left of the image proper
    static constexpr int Ticks = 21;
    static constexpr int TickTop = 35;
    static constexpr int BandHeight = 50; // the letters and ticks; the capture starts below

    struct Letter {
        int x;
        QString text;
    };

    int x0 = 0;
    int step = 0;
    std::array<int, Ticks> ticks{}; // x of tick i: x0 + step * i
    std::array<Letter, 5> letters;  // at ticks 0, 5, 10, 15 and 20

    // For a page pageWidth device units wide and a capture surfaceWidth pixels wide:
    // x0 = trunc(pageWidth * 64 / surfaceWidth) (computed exactly), step = (pageWidth - x0) div 20.
    // Orientation mode 1 gives the letters N E S W N, any other D L U R D; the first stands at
    // its tick, the middle three 10 units left of theirs, the last 20 units left of its tick.
    // Throws KivoError when the surface is empty (width 0 or less): there is nothing to print.
    static PrintScale compute(int pageWidth, int surfaceWidth, int orientationMode);
    // The same scale over an image from x0 to right: step = (right - x0) div 20.
    static PrintScale spanning(int x0, int right, int orientationMode);
};

// Draws the scale's band with its top left corner at origin: the tick lines from y 35 to 50 in
// the painter's pen, the letters with their top at y 0 in the painter's font.
void drawPrintScale(QPainter &painter, const QPoint &origin, const PrintScale &scale);

// Draws the Print Screen page onto a painter whose page area in device units is `page`: the
// scale in the band at the top (tick lines in the painter's pen from y 35 to 50, letters with
// their top at y 0 in the painter's font), then the capture stretched into the page with its
// top moved down by 50, the two axes scaled independently. The scale is the one computed for
// the page's width and the capture's, before the document began: an empty capture has none.
void drawPrintScreen(QPainter &painter, const QRect &page, const TDIB &capture,
                     const PrintScale &scale);

} // namespace kivo
