// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace kivo {

class ImageFile;
class TImageLine;
struct ViewGeometry;

// The texts of the three readouts above the image: depth (Label1), angle (Label3) and bearing
// (Label5).
struct ReadoutTexts {
    QString depth;
    QString angle;
    QString bearing;
};

// Sets the readouts from one record. The angle keeps its previous text when the record's angle
// is out of range.
void setReadouts(ReadoutTexts &readouts, const TImageLine &record,
                 const QLocale &locale = QLocale::system());

// Sets the readouts for a view at a scroll position from the record it shows on top. An empty
// log, or a record that a shrinking file no longer holds, leaves them as they were.
void readReadouts(ReadoutTexts &readouts, ImageFile &file, int samplesPerLine,
                  const ViewGeometry &view, qint64 position,
                  const QLocale &locale = QLocale::system());

// Depth in units with three decimals, right-aligned in at least six characters:
// 1500 -> " 1.500", 123456 -> "123.456", -250 -> "-0.250".
QString formatDepthReadout(qint32 depth, const QLocale &locale = QLocale::system());

// 90 minus the angle's magnitude, "<t>.0", for magnitudes up to 180 (0 -> "90.0",
// 180 -> "-90.0"); beyond that nullopt: the readout keeps its previous text.
std::optional<QString> formatAngleReadout(qint16 angle);

// The bearing's magnitude, "<b>.0": -45 and 45 both give "45.0".
QString formatBearingReadout(qint16 bearing);

// The label of a depth mark, or nullopt when the depth is not a multiple of 100 thousandths:
// the depth in tenths of a unit right-aligned in at least five characters, then the unit
// suffix: 12300 -> " 12.3m", 0 -> "  0.0m", 1234500 -> "1234.5m".
std::optional<QString> formatDepthMark(qint32 depth, const QString &unitSuffix,
                                       const QLocale &locale = QLocale::system());

// A depth (thousandths of a unit) rounded toward zero to the decimals asked for (0 to 3), then
// the unit suffix, as a printed depth scale labels it: 22600 with 1 decimal -> "22.6m".
QString formatDepthLabel(qint32 depth, int decimals, const QString &unitSuffix,
                         const QLocale &locale = QLocale::system());

} // namespace kivo
