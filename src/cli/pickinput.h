// KIVO Log Viewer
#pragma once

#include "picks/pick.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace kivo::cli {

// Reads the picks of the file --picks names, or else of the log's own picks file, into picks
// and the file's name into path. On failure prints why and returns false (exit 2).
bool readPicks(const QCommandLineParser &parser, const QString &logPath, QString &path,
               QList<Pick> &picks);

// The two names are one file (the second need not exist yet): an output never replaces the
// picks file.
bool samePath(const QString &a, const QString &b);

} // namespace kivo::cli
