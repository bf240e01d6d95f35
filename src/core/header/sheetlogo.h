// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QString>

namespace kivo {

// Reads the logo for the header sheet: the Windows bitmap (BMP) file at path, of any size and
// colour depth. No path, or a file that is missing, unreadable, cut short or not a BMP, gives a
// null image; the sheet then leaves its logo box blank, without a message.
QImage loadSheetLogo(const QString &path);

// Copies the top-left 395 x 396 pixels of the logo onto the sheet, logo pixel (x, y) at sheet
// pixel (x + 1, y + 1), each set to black or white, whichever is nearer to its colour (alpha is
// ignored). Where a smaller logo has no pixel, the sheet stays white. The sheet is an image of
// 32-bit pixels.
void copySheetLogo(const QImage &logo, QImage &sheet);

} // namespace kivo
