// KIVO Log Viewer
#pragma once

#include <QImage>
#include <QLocale>
#include <QRect>
#include <QString>

class QPainter;

namespace kivo {

struct uniheader;

// The x at which a fixed-pitch text of `length` characters is centred between left and right:
// left + (|right - left| div 2) - 8 * length. Not clamped: a text too long for its column
// starts left of it, even at a negative x.
qint64 CentredTextX(qint64 left, qint64 right, qint64 length);

// The header sheet's logo for a program in programDirectory: "LOGO.BMP" beside the program, else
// the installed one in share/kivo/ beside the program's bin directory (programDirectory/../share/
// kivo/LOGO.BMP). When neither file exists, the one beside the program, which leaves the box blank.
QString sheetLogoPath(const QString &programDirectory);

// The well header sheet of a header record, as one page prints it: an image of 2013 x 1693
// one-bit pixels (Format_Mono, colour 0 black and colour 1 white), white with everything drawn
// in black and without antialiasing. The logo box shows the BMP file at logoPath, or stays blank
// when the file is missing or unreadable. Real values are written with the locale's decimal
// separator. Throws KivoError when there is not enough memory for the image.
QImage drawHeaderSheet(const uniheader &header, const QString &logoPath,
                       const QLocale &locale = QLocale::system());

// Puts the sheet on a page whose area in device units is `page`: stretched into the rectangle
// from (20, 0) to (page width - 60, page height) of it, the two axes scaled independently,
// pixels repeated or dropped, never blended, and without lossy compression. A sheet from
// drawHeaderSheet reaches a PDF page (and a CUPS printer) as a one-bit image.
void printSheet(QPainter &painter, const QRect &page, const QImage &sheet);

} // namespace kivo
