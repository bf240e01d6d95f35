// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// Writes bytes to path through a temporary file in the same folder that is renamed over it
// once complete (QSaveFile), so that a crash, a full disk or a power loss leaves either the old
// file or the new one, never a part. Throws KivoError("<path> cannot be written: <reason>").
void saveFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace kivo
