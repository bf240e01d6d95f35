// KIVO Log Viewer
#include "cli/pickinput.h"

#include "cli/clicommon.h"
#include "kivoerror.h"
#include "picks/picksfile.h"
#include "picks/pickstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kivo::cli {

bool readPicks(const QCommandLineParser &parser, const QString &logPath, QString &path,
               QList<Pick> &picks)
{
    try {
        if (parser.isSet("picks")) {
            path = parser.value("picks");
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                throw KivoError(QStringLiteral("%1 cannot be read: %2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
            try {
                picks = readPicksCsv(file.readAll());
            } catch (const KivoError &error) {
                throw KivoError(QDir::toNativeSeparators(path) + ": " + error.text());
            }
            return true;
        }
        PickStore store(logPath);
        path = store.path();
        if (!QFileInfo::exists(path))
            throw KivoError(
                QStringLiteral("%1 has no picks file: %2 does not exist")
                    .arg(QDir::toNativeSeparators(logPath), QDir::toNativeSeparators(path)));
        picks = store.load();
    } catch (const KivoError &error) {
        printError(error.text());
        return false;
    }
    return true;
}

bool samePath(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath() ||
           (!ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath());
}

} // namespace kivo::cli
