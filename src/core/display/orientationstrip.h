// KIVO Log Viewer
#pragma once

#include <QImage>

namespace kivo {

// The orientation strip above the image columns: a grey band with five yellow letters at the
// quarter points of the circle and black ticks at its sixteenth, eighth and quarter points.
// The source pictures are 353 x 18 pixels, 24-bit; the main window shows them stretched to the
// 720 image columns.
constexpr int StripWidth = 353;
constexpr int StripHeight = 18;
constexpr int ShownStripWidth = 720;
constexpr int ShownStripHeight = 19;

// The compass strip N E S W N, orientation mode 1.
QImage Image4();
// The tool-face strip D L U R D, orientation mode 2.
QImage Image8();

// Mode 1 puts the compass strip into Image1, mode 2 the D L U R strip; any other mode leaves
// Image1 as it is (it keeps the strip of the last log opened).
void ShowOrientationStrip(int mode, QImage &Image1);

// The picture the main window shows: the source stretched to 720 x 19 by repeating pixels,
// so that every pixel keeps one of the source's colours.
QImage stretchedStrip(const QImage &source);

} // namespace kivo
