// KIVO Log Viewer
#pragma once

#include <QFont>

class QWidget;

namespace kivo {

// The font of the tool windows: "MS Sans Serif" 8 point, or where it is missing the closest in
// width, so that captions fit the controls laid out for it.
QFont dialogFont();

// Puts a window of fixed size in the middle of the primary screen's available area.
void centreOnScreen(QWidget &window);

} // namespace kivo
