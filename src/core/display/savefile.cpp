// KIVO Log Viewer
#include "display/savefile.h"

#include "kivoerror.h"

#include <QDir>
#include <QFile>

namespace kivo {

void saveFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush())
        throw KivoError(QStringLiteral("%1 cannot be written").arg(QDir::toNativeSeparators(path)));
}

} // namespace kivo
