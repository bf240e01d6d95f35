// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

// A file the installation puts under share/ for a program in programDirectory: the programs
// are in <prefix>/bin, so the file is <prefix>/share/<relativePath>, wherever the prefix is.
QString installedShareFile(const QString &programDirectory, const QString &relativePath);

} // namespace kivo
