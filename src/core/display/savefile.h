// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// Writes bytes to path, replacing any file of that name. Throws KivoError("<path> cannot be
// written") when the file cannot be opened or written in full.
void saveFile(const QString &path, const QByteArray &bytes);

} // namespace kivo
