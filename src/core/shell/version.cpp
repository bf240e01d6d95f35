// KIVO Log Viewer
#include "shell/version.h"

namespace kivo {

QString kivoVersion()
{
    return QStringLiteral(KIVO_VERSION);
}

} // namespace kivo
