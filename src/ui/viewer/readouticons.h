// KIVO Log Viewer
#pragma once

#include <QPixmap>

namespace kivo {

// The three small pictures of the top bar, drawn by code.
// A black and grey ruler, beside the depth readout.
QPixmap rulerIcon();
// A degree sign with an angle drawn off a vertical line, yellow on grey, beside the angle.
QPixmap angleIcon();
// A north arrow marked N, yellow on grey, beside the bearing.
QPixmap northArrowIcon();

} // namespace kivo
