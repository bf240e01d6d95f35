// KIVO Log Viewer
#include "kivorunner.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

namespace kivo::test {

namespace {

QString kivoPath()
{
    const QString directory = qEnvironmentVariable("KIVO_BIN_DIR");
    if (directory.isEmpty())
        qWarning("KIVO_BIN_DIR is not set: run the tests with ctest");
    return directory.isEmpty() ? QString() : directory + "/kivo";
}

KivoRun runProgram(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment)
{
    KivoRun run;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
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

} // namespace

KivoRun runKivo(const QStringList &arguments, const QProcessEnvironment &environment)
{
    const QString kivo = kivoPath();
    return kivo.isEmpty() ? KivoRun() : runProgram(kivo, arguments, environment);
}

KivoRun runKivoWithFilePermissions(const QStringList &arguments)
{
    const QString kivo = kivoPath();
    if (kivo.isEmpty())
        return KivoRun();
    if (::geteuid() != 0)
        return runProgram(kivo, arguments, QProcessEnvironment::systemEnvironment());
    return runProgram(QStringLiteral("setpriv"),
                      QStringList{"--bounding-set=-dac_override,-dac_read_search,-fowner",
                                  "--inh-caps=-all", "--", kivo} +
                          arguments,
                      QProcessEnvironment::systemEnvironment());
}

KivoRun runKivoWithFileSizeLimit(int blocks, const QStringList &arguments)
{
    const QString kivo = kivoPath();
    if (kivo.isEmpty())
        return KivoRun();
    return runProgram(
        QStringLiteral("sh"),
        QStringList{"-c", QStringLiteral("ulimit -f %1; exec \"$0\" \"$@\"").arg(blocks), kivo} +
            arguments,
        QProcessEnvironment::systemEnvironment());
}

std::optional<KivoRun> runKivoWithMemoryLimit(qint64 bytes, const QStringList &arguments)
{
    const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
    const QString kivo = kivoPath();
    if (prlimit.isEmpty() || kivo.isEmpty())
        return std::nullopt;
    return runProgram(prlimit,
                      QStringList{QStringLiteral("--as=%1").arg(bytes), "--", kivo} + arguments,
                      QProcessEnvironment::systemEnvironment());
}

} // namespace kivo::test
