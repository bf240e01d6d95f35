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
    file.save(settingsPath);
}

QString logDirectoryOf(const QString &dataPath)
{
    return QFileInfo(dataPath).absoluteDir().absolutePath();
}

} // namespace kivo
