// KIVO Log Viewer
#pragma once

#include <QByteArray>

namespace kivo {

// The bytes of "demo.HED": a complete well header for the demonstration log, in INI form with
// Windows line ends and Windows-1252 texts. Every real value is a whole number, so the header
// reads the same in every locale whatever its decimal separator.
QByteArray demoHeaderText();

} // namespace kivo
