// KIVO Log Viewer
#include "picks/atomicsave.h"

#include "kivoerror.h"

#include <QDir>
#include <QSaveFile>

namespace kivo {

void saveFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw KivoError(
            QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), reason));
    }
}

} // namespace kivo
