// KIVO Log Viewer
#include "cli/clicommon.h"
#include "demo/demolog.h"
#include "kivoerror.h"

#include <QDir>

namespace kivo::cli {

int runDemo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Writes DIR/demo.bhx and DIR/demo.HED: a synthetic 15 m optical televiewer log with a "
        "full well header, and prints the data file's path.");
    parser.addPositionalArgument("DIR", "the directory to write into (made when missing)");
    int exitCode = ExitOk;
    if (!parseCommandLine(parser, "demo", arguments, exitCode))
        return exitCode;
    if (parser.positionalArguments().size() != 1) {
        printError("demo takes one directory; 'kivo demo --help' describes it");
        return ExitUsage;
    }
    const QString directory = parser.positionalArguments().first();
    try {
        writeDemoLog(directory);
    } catch (const KivoError &error) {
        printError(error.text());
        return ExitRefused;
    }
    printOut(QDir(directory).filePath("demo.bhx").toUtf8() + "\n");
    return ExitOk;
}

} // namespace kivo::cli
