// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kivo {

// Header texts are bytes in the Windows-1252 code page (the logging systems run on Windows).
// Every byte maps to exactly one character; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, as
// Windows itself decodes them.
QString fromWindows1252(QByteArrayView bytes);
// The inverse; characters the code page cannot hold become "?".
QByteArray toWindows1252(const QString &text);

} // namespace kivo
