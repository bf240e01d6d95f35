// KIVO Log Viewer
#include "cli/clicommon.h"
#include "shell/catchall.h"
#include "shell/version.h"

#include <QGuiApplication>

#include <cstdio>

using namespace kivo::cli;

namespace {

void printOverview()
{
    QByteArray text = "Usage: kivo COMMAND [OPTIONS]\n"
                      "Reads KIVO borehole image logs (.bhx data file, .HED header) without a "
                      "window.\n\nCommands:\n";
    for (const Command &command : commands())
        text +=
            QByteArray("  ") + QByteArray(command.name).leftJustified(14) + command.summary + "\n";
    text += "\n'kivo COMMAND --help' describes a command's options; 'kivo --version' prints "
            "the version.\n"
            "Exit codes: 0 success, 1 usage error, 2 log refused or unreadable, output "
            "not written, or the program failed (out of memory, for one).\n";
    printOut(text);
}

// Qt's remarks about the environment (a session without XDG_RUNTIME_DIR, as under cron or a
// bare CI shell) say nothing about the log and would clutter a script's error output.
QtMessageHandler qtHandler = nullptr;

void filterQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

int runCommandLine()
{
    QStringList arguments = QGuiApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        printOverview();
        return ExitUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") ||
        name == QLatin1String("help")) {
        printOverview();
        return ExitOk;
    }
    if (name == QLatin1String("--version")) {
        printOut(QStringLiteral("kivo %1\n").arg(kivo::kivoVersion()).toUtf8());
        return ExitOk;
    }
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return command.run(arguments);
    }
    printError(QStringLiteral("unknown command '%1'; 'kivo --help' lists the commands").arg(name));
    return ExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    qtHandler = qInstallMessageHandler(filterQtMessages);
    // Rendering needs fonts and images but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("kivo"));
    static_assert(kivo::UncaughtErrorExitCode == ExitRefused);
    return kivo::runCatchingAll(runCommandLine, printError);
}
