// KIVO Log Viewer
#include "shell/catchall.h"

#include "kivoerror.h"

#include <csignal>
#include <exception>
#include <new>

namespace kivo {

namespace {

QString uncaughtText(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const KivoError &kivoError) {
        return kivoError.text();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("There is not enough memory to go on; the program stops");
    } catch (const std::exception &other) {
        return QStringLiteral("An unexpected error stopped the program: %1")
            .arg(QString::fromLocal8Bit(other.what()));
    } catch (...) {
        return QStringLiteral("An unexpected error stopped the program");
    }
}

} // namespace

int runCatchingAll(const std::function<int()> &body,
                   const std::function<void(const QString &text)> &report)
{
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return body();
    } catch (...) {
        // The body's objects are gone by now, and with them the memory they held.
        try {
            report(uncaughtText(std::current_exception()));
        } catch (...) {
            // Nothing is left to tell it with; the status still does.
        }
        return UncaughtErrorExitCode;
    }
}

} // namespace kivo
