// KIVO Log Viewer
#include "shell/installedfile.h"

#include <QDir>

namespace kivo {

QString installedShareFile(const QString &programDirectory, const QString &relativePath)
{
    return QDir::cleanPath(
        QDir(programDirectory).filePath(QStringLiteral("../share/") + relativePath));
}

} // namespace kivo
