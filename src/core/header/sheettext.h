// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>

namespace kivo {

// A real value as the header sheet prints it: fixed point with exactly two decimals,
// right-aligned in at least 6 characters padded with leading blanks (12.5 gives " 12.50",
// 1234.567 gives "1234.57"), with the locale's decimal separator, as every number the viewer
// shows.
QString sheetReal(double value, const QLocale &locale);

// The text with the ASCII letters a-z raised to A-Z and every other character as it is.
QString asciiUpper(const QString &text);

} // namespace kivo
