// KIVO Log Viewer
#include "header/headerfilename.h"

#include <QDir>
#include <QFileInfo>

namespace kivo {

QString MakeHeaderFileName(const QString &dataPath)
{
    // Only the file name decides: a dot in a directory ("/logs.old/HOLE7") is not an extension.
    const qsizetype nameStart =
        qMax(dataPath.lastIndexOf(QLatin1Char('/')), dataPath.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = dataPath.lastIndexOf(QLatin1Char('.'));
    if (dot >= nameStart)
        return dataPath.left(dot + 1) + QStringLiteral("HED");
    return dataPath + QStringLiteral(".HED");
}

QString findHeaderFile(const QString &headerPath)
{
    const QFileInfo info(headerPath);
    if (info.exists())
        return headerPath;
    const QDir directory = info.absoluteDir();
    const QStringList names = directory.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return info.dir().filePath(name);
    }
    return headerPath;
}

} // namespace kivo
