// KIVO Log Viewer
#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

// The viewer's one setting: the directory of the last log opened ("File Parameters"/"LogDir"),
// in $XDG_CONFIG_HOME/kivo/bhx_view.Ini (~/.config/kivo/bhx_view.Ini when unset).
QString settingsFilePath();

// The stored directory, or fallback when the file, section or key is missing or unreadable.
QString loadLastLogDir(const QString &settingsPath, const QString &fallback);

// Stores the directory, creating the file and its directory when missing and keeping whatever
// else the file holds. Throws KivoError("Unable to write to <path>") on failure.
void saveLastLogDir(const QString &settingsPath, const QString &directory);

// The logs opened last, newest first ("Recent Files"/"File1".."File8"); none when the file or
// section is missing or unreadable.
QStringList loadRecentFiles(const QString &settingsPath);
// Stores them as saveLastLogDir stores the directory: together in one write with it.
void saveSettings(const QString &settingsPath, const QString &directory,
                  const QStringList &recentFiles);
// The list after opening path: path first, no other copy of it, at most MaxRecentFiles.
constexpr int MaxRecentFiles = 8;
QStringList withRecentFile(QStringList recentFiles, const QString &path);

// The directory of a chosen data file as the open dialog starts in it: absolute, without a
// trailing separator except for the root.
QString logDirectoryOf(const QString &dataPath);

} // namespace kivo
