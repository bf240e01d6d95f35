// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace kivo {

// Writes bytes to path through a temporary file in the same folder that is renamed over it
// once complete (QSaveFile), so that a crash, a full disk or a power loss leaves either the old
// file or the new one, never a part. Throws KivoError("<path> cannot be written: <reason>").
void saveFileAtomically(const QString &path, const QByteArray &bytes);

// A QSaveFile for writers that stream into it (images, PDF pages) and may not look at what
// each write returns. It remembers a write that fell short, which QSaveFile's own commit does
// not always do (a buffer that fails to flush on a full disk or past the file size limit would
// leave a cut file under the final name).
class AtomicFile : public QSaveFile {
public:
    using QSaveFile::QSaveFile;

    // Puts the file in place when every byte written reached the disk. Otherwise removes the
    // temporary file, keeps the old one and throws KivoError("<path> cannot be written:
    // <reason>").
    void commitChecked();
    // Throws that KivoError, the temporary file removed, when a write so far fell short.
    void checkWrites();

protected:
    qint64 writeData(const char *data, qint64 length) override;

private:
    bool m_shortWrite = false;
};

} // namespace kivo
