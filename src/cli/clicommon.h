// KIVO Log Viewer
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <limits>

namespace kivo::cli {

// Exit codes of every command.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 1,   // bad command line: unknown command or option, missing or bad value
    ExitRefused = 2, // the log is refused or cannot be read, or the output file cannot be
                     // written, or the program failed (out of memory, for one); the reason
                     // is on stderr
};

// One command: its name, a line for the overview, and the function that runs it with the
// arguments after the command name.
struct Command {
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments);
};

const QList<Command> &commands();

void printError(const QString &text);
void printOut(const QByteArray &bytes);

// Parses a command's arguments; on failure prints the parser's message and returns false.
// Handles -h/--help itself: prints it and returns false with exitCode 0.
bool parseCommandLine(QCommandLineParser &parser, const QString &command,
                      const QStringList &arguments, int &exitCode);

// Reads an integer option within [low, high]; on failure prints a usage error. A high of
// NoUpperLimit checks only that the value is a whole number from low on.
inline constexpr qint64 NoUpperLimit = std::numeric_limits<qint64>::max();
bool integerOption(const QCommandLineParser &parser, const QString &name, qint64 low, qint64 high,
                   qint64 &value);

// Declared by each command's file.
int runInfo(const QStringList &arguments);
int runReadouts(const QStringList &arguments);
int runDemo(const QStringList &arguments);
int runRender(const QStringList &arguments);
int runSheet(const QStringList &arguments);
int runPrintScreen(const QStringList &arguments);
int runPrintLog(const QStringList &arguments);
int runExport(const QStringList &arguments);
int runFit(const QStringList &arguments);
int runPicks(const QStringList &arguments);
int runPlot(const QStringList &arguments);

} // namespace kivo::cli
