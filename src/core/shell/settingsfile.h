// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

// The viewer's one setting: the directory of the last log opened ("File Parameters"/"LogDir"),
// in $XDG_CONFIG_HOME/kivo/bhx_view.Ini (~/.config/kivo/bhx_view.Ini when unset).
QString settingsFilePath();

// The stored directory, or fallback when the file, section or key is missing or unreadable.
QString loadLastLogDir(const QString &settingsPath, const QString &fallback);

// Stores the directory, creating the file and its directory when missing and keeping whatever
// else the file holds. Throws KivoError("Unable to write to <path>") on failure.
void saveLastLogDir(const QString &settingsPath, const QString &directory);

// The directory of a chosen data file as the open dialog starts in it: absolute, without a
// trailing separator except for the root.
QString logDirectoryOf(const QString &dataPath);

} // namespace kivo
