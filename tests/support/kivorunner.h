// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

#include <optional>

namespace kivo::test {

// The built `kivo` tool run as a user would run it.
struct KivoRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs kivo with the arguments (the build tells the tests where it is, in KIVO_BIN_DIR).
KivoRun runKivo(const QStringList &arguments,
                const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// The same, with file permissions stopping kivo as they stop a user, also when the tests run as
// root (as in CI): kivo then runs under setpriv without the capabilities that pass them.
KivoRun runKivoWithFilePermissions(const QStringList &arguments);

// The same with kivo's address space limited to the bytes given (by prlimit), so that a large
// allocation fails as on a machine without the memory. Empty when prlimit is not installed.
std::optional<KivoRun> runKivoWithMemoryLimit(qint64 bytes, const QStringList &arguments);

// The same with the size of any file kivo writes limited to the blocks given (the shell's
// ulimit -f), so that a write fails as on a full disk.
KivoRun runKivoWithFileSizeLimit(int blocks, const QStringList &arguments);

} // namespace kivo::test
