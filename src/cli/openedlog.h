// KIVO Log Viewer
#pragma once

#include "log/logsession.h"

#include <QCommandLineParser>
#include <QString>

namespace kivo::cli {

// A log opened the way the viewer opens it, in a session with the viewer's start-up state
// (metres, no default sample count).
struct OpenedLog {
    QString dataPath;
    LogSession session;
    LogHeaderCheck check;
};

// Opens dataPath into log. On refusal or error prints the reason and returns false (exit 2).
bool openLog(const QString &dataPath, OpenedLog &log);

// Adds --rows and --position, the view a command shows.
void addViewOptions(QCommandLineParser &parser);

// Opens the log the command line names for a view of --rows rows, which the session then has,
// and reads --position (default 0) into position. Both options' forms are checked before the log is
// opened, so that a bad value is a usage error for any log; the position's upper bound, the scroll
// maximum, once the log is open. Returns ExitOk, or the exit code after printing why.
int openLogView(const QCommandLineParser &parser, OpenedLog &log, qint64 &position);

} // namespace kivo::cli
