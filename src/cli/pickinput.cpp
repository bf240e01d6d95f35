// KIVO Log Viewer
#include "cli/pickinput.h"

#include "cli/clicommon.h"
#include "cli/pickoutput.h"
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

int loadPicks(const QCommandLineParser &parser, const QString &out, const char *what,
              const std::optional<double> &diameter, OpenedLog &log, QList<Pick> &picks,
              QList<PickValues> &values)
{
    const QString logPath = parser.positionalArguments().first();
    if (!openLog(logPath, log))
        return ExitRefused;
    QString picksPath;
    if (!readPicks(parser, logPath, picksPath, picks))
        return ExitRefused;
    if (!out.isEmpty() && samePath(out, picksPath)) {
        printError(QStringLiteral("--out names the picks file, which %1 never writes")
                       .arg(QLatin1String(what)));
        return ExitUsage;
    }
    PickCalculator &calculator = *log.session.pickCalculator();
    calculator.setFallbackDiameter(diameter);
    if (!pickValues(calculator, picks, values, log.session.layout().unitSuffix()))
        return ExitRefused;
    return ExitOk;
}

} // namespace kivo::cli
