// KIVO Log Viewer
#pragma once

#include <QFont>

namespace kivo {

// The header sheet's fonts, drawn without antialiasing on the one-bit sheet and sized by cell
// height (ascent plus descent) in sheet units. The sheet was laid out for Arial and a
// Courier-New-like fixed pitch; Liberation Sans and Liberation Mono have the same metrics.
// Hinting is off so that the sheet comes out the same on every platform plugin.

// The proportional face of the comment panel.
QFont sheetProportionalFont(int cellHeight);
// The fixed-pitch face of the captions and values: at cell height 30 a character advances
// about 16 units, the width the centring rule assumes.
QFont sheetFixedFont(int cellHeight);

} // namespace kivo
