// KIVO Log Viewer
#include "log/datafilenotice.h"

namespace kivo {

namespace {

QString counted(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QString dataFileNotice(const QString &name, qint64 fileSize, qint64 recordSize)
{
    const qint64 records = fileSize / recordSize;
    const qint64 rest = fileSize % recordSize;
    if (fileSize == 0)
        return QStringLiteral("%1: no records").arg(name);
    if (rest == 0)
        return QString();
    if (records == 0)
        return QStringLiteral("%1: %2, no whole record, all ignored")
            .arg(name, counted(fileSize, "byte", "bytes"));
    return QStringLiteral("%1: %2, %3, %4 past the last record ignored")
        .arg(name, counted(fileSize, "byte", "bytes"),
             counted(records, "whole record", "whole records"), counted(rest, "byte", "bytes"));
}

} // namespace kivo
