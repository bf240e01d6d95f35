// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"
#include "log/imagefile.h"
#include "log/logopener.h"
#include "log/viewgeometry.h"

#include <QCommandLineParser>
#include <QString>

namespace kivo::cli {

// A log opened the way the viewer opens it, with the viewer's start-up state (metres, no
// default sample count).
struct OpenedLog {
    QString dataPath;
    uniheader header;
    LogHeaderCheck check;
    ImageFile file;
    qint64 recordCount = 0;
    int viewDepthUnit = 0;
};

// Opens dataPath into log. On refusal or error prints the reason and returns false (exit 2).
bool openLog(const QString &dataPath, OpenedLog &log);

// Adds --rows and --position, the view a command shows.
void addViewOptions(QCommandLineParser &parser);

// Opens the log the command line names for a view of --rows rows at --position (default 0).
// Both options' forms are checked before the log is opened, so that a bad value is a usage
// error for any log; the position's upper bound, the scroll maximum, once the log is open.
// Returns ExitOk, or the exit code after printing why.
int openLogView(const QCommandLineParser &parser, OpenedLog &log, ViewGeometry &view,
                qint64 &position);

} // namespace kivo::cli
