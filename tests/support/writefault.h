// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QPair>
#include <QString>

namespace kivo::test {

// The ways writing a user's file goes wrong: a full disk (a file size limit), a read-only file
// or folder, a folder where the file should be, a path longer than the system takes; and a name
// with spaces and letters outside ASCII, which must simply work.
enum class WriteFault {
    DiskFull,
    ReadOnlyFile,
    ReadOnlyFolder,
    FolderInItsPlace,
    AwkwardName,
    LongPath
};

// Each fault with the name of its test row.
QList<QPair<const char *, WriteFault>> writeFaults();

// What the file held before the failed write, where there was one.
inline const QByteArray OldWriteFaultBytes = "the file as it was before\n";

// Lays the fault out in `folder` for a file called `name`: the old file where one is to be kept,
// its permissions, a folder in its place. Returns the path to write to, empty when the folder
// could not be laid out.
QString prepareWriteFault(const QString &folder, const QString &name, WriteFault fault);

// Gives the folder its write permission back.
void restoreWriteFaultFolder(const QString &folder);

// Each file and folder under root, with the bytes of each file.
QMap<QString, QByteArray> folderContents(const QString &root);

} // namespace kivo::test

Q_DECLARE_METATYPE(kivo::test::WriteFault)
