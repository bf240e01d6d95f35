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
    const QStringList names =
        info.absoluteDir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        // Only the file name changes: the directory stays as the caller wrote it ("a.hed" for
        // "a.HED", not "./a.hed").
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return headerPath.chopped(info.fileName().size()) + name;
    }
    return headerPath;
}

} // namespace kivo
