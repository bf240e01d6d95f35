// KIVO Log Viewer
#pragma once

#include "cli/openedlog.h"
#include "picks/pick.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <optional>

namespace kivo::cli {

// Reads the picks of the file --picks names, or else of the log's own picks file, into picks
// and the file's name into path. On failure prints why and returns false (exit 2).
bool readPicks(const QCommandLineParser &parser, const QString &logPath, QString &path,
               QList<Pick> &picks);

// Opens the log, reads its picks (as readPicks) and derives their values with the diameter
// given for picks without one. An output naming the picks file is refused: "--out names the
// picks file, which <what> never writes". Returns ExitOk, or the exit code after printing why.
int loadPicks(const QCommandLineParser &parser, const QString &out, const char *what,
              const std::optional<double> &diameter, OpenedLog &log, QList<Pick> &picks,
              QList<PickValues> &values);

// The two names are one file (the second need not exist yet): an output never replaces the
// picks file.
bool samePath(const QString &a, const QString &b);

} // namespace kivo::cli
