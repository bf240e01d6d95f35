// KIVO Log Viewer
#include "shell/settingsfile.h"

#include "header/inifile.h"
#include "kivoerror.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kivo {

namespace {

const char *const Section = "File Parameters";
const char *const Key = "LogDir";
const char *const RecentSection = "Recent Files";

QByteArray recentKey(int n)
{
    return "File" + QByteArray::number(n);
}

} // namespace

QString settingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kivo/bhx_view.Ini");
}

QString loadLastLogDir(const QString &settingsPath, const QString &fallback)
{
    if (!QFileInfo::exists(settingsPath))
        return fallback;
    try {
        const auto value = IniFile::load(settingsPath).value(Section, Key);
        return value ? QString::fromUtf8(*value) : fallback;
    } catch (const KivoError &) {
        return fallback; // an unreadable settings file is as good as none
    }
}

void saveLastLogDir(const QString &settingsPath, const QString &directory)
{
    saveSettings(settingsPath, directory, loadRecentFiles(settingsPath));
}

QStringList loadRecentFiles(const QString &settingsPath)
{
    QStringList files;
    if (!QFileInfo::exists(settingsPath))
        return files;
    try {
        const IniFile file = IniFile::load(settingsPath);
        for (int n = 1; n <= MaxRecentFiles; ++n) {
            if (const auto value = file.value(RecentSection, recentKey(n));
                value && !value->isEmpty())
                files << QString::fromUtf8(*value);
        }
    } catch (const KivoError &) {
        // an unreadable settings file is as good as none
    }
    return files;
}

QStringList withRecentFile(QStringList recentFiles, const QString &path)
{
    recentFiles.removeAll(path);
    recentFiles.prepend(path);
    return recentFiles.mid(0, MaxRecentFiles);
}

void saveSettings(const QString &settingsPath, const QString &directory,
                  const QStringList &recentFiles)
{
    IniFile file;
    if (QFileInfo::exists(settingsPath)) {
        try {
            file = IniFile::load(settingsPath);
        } catch (const KivoError &) {
            // Unreadable: write a new file in its place rather than lose the setting.
        }
    }
    if (!QDir().mkpath(QFileInfo(settingsPath).absolutePath()))
        throw KivoError(QStringLiteral("Unable to write to %1").arg(settingsPath));
    file.setValue(Section, Key, directory.toUtf8());
    // A shorter list empties the keys it no longer fills; none is written for an empty one.
    for (int n = 1; n <= MaxRecentFiles; ++n) {
        if (n <= recentFiles.size() || file.value(RecentSection, recentKey(n)))
            file.setValue(RecentSection, recentKey(n), recentFiles.value(n - 1).toUtf8());
    }
    file.save(settingsPath);
}

QString logDirectoryOf(const QString &dataPath)
{
    return QFileInfo(dataPath).absoluteDir().absolutePath();
}

} // namespace kivo
