// KIVO Log Viewer
#include "kivorunner.h"

#include <QProcess>
#include <QtTest>

namespace kivo::test {

KivoRun runKivo(const QStringList &arguments, const QProcessEnvironment &environment)
{
    KivoRun run;
    const QString directory = qEnvironmentVariable("KIVO_BIN_DIR");
    if (directory.isEmpty()) {
        qWarning("KIVO_BIN_DIR is not set: run the tests with ctest");
        return run;
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(directory + "/kivo", arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        qWarning("kivo did not finish");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace kivo::test
