// KIVO Log Viewer
#include "picks/atomicsave.h"

#include "kivoerror.h"

#include <QDir>

namespace kivo {

namespace {

[[noreturn]] void fail(QSaveFile &file, const QString &reason)
{
    file.cancelWriting();
    throw KivoError(QStringLiteral("%1 cannot be written: %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), reason));
}

} // namespace

void saveFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(file, file.errorString());
    file.write(bytes);
    file.commitChecked();
}

void AtomicFile::commitChecked()
{
    m_shortWrite = m_shortWrite || !flush();
    checkWrites();
    if (!commit())
        fail(*this, errorString());
}

void AtomicFile::checkWrites()
{
    // The device's text for a write cut short by the disk is "Unknown error": say what it means.
    if (m_shortWrite)
        fail(*this, QStringLiteral("the disk is full or the file is larger than allowed"));
}

qint64 AtomicFile::writeData(const char *data, qint64 length)
{
    const qint64 written = QSaveFile::writeData(data, length);
    m_shortWrite = m_shortWrite || written != length;
    return written;
}

} // namespace kivo
