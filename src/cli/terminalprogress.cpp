// KIVO Log Viewer
#include "cli/terminalprogress.h"

#include <cstdio>
#include <unistd.h>

namespace kivo::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onStopSignal(int)
{
    stopRequested = 1;
}

} // namespace

TerminalProgress::TerminalProgress()
    : m_terminal(isatty(STDERR_FILENO) == 1)
{
    stopRequested = 0;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previousInterrupt);
    sigaction(SIGTERM, &action, &m_previousTerminate);
}

TerminalProgress::~TerminalProgress()
{
    sigaction(SIGINT, &m_previousInterrupt, nullptr);
    sigaction(SIGTERM, &m_previousTerminate, nullptr);
    if (m_shown >= 0)
        std::fputs("\n", stderr);
}

bool TerminalProgress::advance(qint64 done, qint64 total)
{
    if (m_terminal && total > 0) {
        const int percent = int(qBound(qint64(0), done * 100 / total, qint64(100)));
        if (percent != m_shown) {
            std::fprintf(stderr, "\r%3d%%", percent);
            std::fflush(stderr);
            m_shown = percent;
        }
    }
    return stopRequested == 0;
}

bool TerminalProgress::interrupted() const
{
    return stopRequested != 0;
}

} // namespace kivo::cli
