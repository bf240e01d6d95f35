// KIVO Log Viewer
#include "writefault.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kivo::test {

QList<QPair<const char *, WriteFault>> writeFaults()
{
    return {
        {"disk full", WriteFault::DiskFull},
        {"read-only file", WriteFault::ReadOnlyFile},
        {"read-only folder", WriteFault::ReadOnlyFolder},
        {"folder in its place", WriteFault::FolderInItsPlace},
        {"spaces and non-ASCII name", WriteFault::AwkwardName},
        {"path past 4096 bytes", WriteFault::LongPath},
    };
}

QString prepareWriteFault(const QString &folder, const QString &name, WriteFault fault)
{
    if (!QDir().mkpath(folder))
        return QString();
    QString target = folder + "/" + name;
    if (fault == WriteFault::AwkwardName)
        target = folder + QStringLiteral("/Bohrung Ærø 井 ") + name;
    if (fault == WriteFault::LongPath) {
        QString deep = folder;
        while (deep.toUtf8().size() <= 4096)
            deep += "/" + QString(200, u'd');
        target = deep + "/" + name;
    }
    bool laidOut = true;
    if (fault == WriteFault::DiskFull || fault == WriteFault::ReadOnlyFile ||
        fault == WriteFault::ReadOnlyFolder) {
        QFile old(target);
        laidOut = old.open(QIODevice::WriteOnly) &&
                  old.write(OldWriteFaultBytes) == OldWriteFaultBytes.size();
    }
    if (fault == WriteFault::ReadOnlyFile)
        laidOut = laidOut && QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);
    if (fault == WriteFault::FolderInItsPlace)
        laidOut = laidOut && QDir().mkdir(target);
    if (fault == WriteFault::ReadOnlyFolder)
        laidOut = laidOut && QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    return laidOut ? target : QString();
}

void restoreWriteFaultFolder(const QString &folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QMap<QString, QByteArray> folderContents(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        entries.insert(info.filePath(), info.isDir() || !file.open(QIODevice::ReadOnly)
                                            ? QByteArray("<folder>")
                                            : file.readAll());
    }
    return entries;
}

} // namespace kivo::test
