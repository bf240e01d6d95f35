// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

// The program's version, "1.0.1", as the build set it.
QString kivoVersion();

} // namespace kivo
