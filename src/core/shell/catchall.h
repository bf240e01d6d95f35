// KIVO Log Viewer
#pragma once

#include <QString>

#include <functional>

namespace kivo {

// The exit status of a program stopped by an error that nothing else caught.
constexpr int UncaughtErrorExitCode = 2;

// Runs a program's body and returns the status it returns. Whatever escapes the body (memory
// exhausted, an error no command caught, any other exception) is told through `report` in the
// user's words, and the status is then UncaughtErrorExitCode. A report that fails in its turn
// is given up: the status still tells the failure. A write past the file size limit (ulimit -f)
// fails with EFBIG, which the writer reports, instead of stopping the program: SIGXFSZ is
// ignored from here on.
int runCatchingAll(const std::function<int()> &body,
                   const std::function<void(const QString &text)> &report);

} // namespace kivo
