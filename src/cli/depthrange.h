// KIVO Log Viewer
#pragma once

#include <QCommandLineParser>

namespace kivo::cli {

struct OpenedLog;

// Adds --from and --to, the depth range of a command that prints or exports part of a log.
void addDepthRangeOptions(QCommandLineParser &parser);

// The range --from and --to give, in the log's depth unit; a depth not given is the first or
// the last record's. A given depth is checked as the print options dialog checks it, against
// the header's start and end depth, and a rejection prints the dialog's message (exit 1); a
// range given against the log's direction is taken as it is, the pages and images always running
// from the shallow end. Returns ExitOk, or the exit code after printing why.
int depthRangeOption(const QCommandLineParser &parser, OpenedLog &log, double &from, double &to);

} // namespace kivo::cli
