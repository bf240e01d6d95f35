// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

// The header path of a data file: the path up to and including the last dot of its file name
// (never of a directory), followed by "HED"; a file name without a dot gets ".HED" appended.
// "/logs/HOLE7.bhx" -> "/logs/HOLE7.HED", "/logs.old/HOLE7" -> "/logs.old/HOLE7.HED".
QString MakeHeaderFileName(const QString &dataPath);

// File names are case-sensitive here while the logging systems' are not: when headerPath does
// not exist, a file in the same directory whose name matches it without regard to case is
// returned instead. Otherwise headerPath itself, existing or not.
QString findHeaderFile(const QString &headerPath);

} // namespace kivo
