// KIVO Log Viewer
#pragma once

#include "shell/jobprogress.h"

#include <csignal>

namespace kivo::cli {

// The progress of a long command: its percentage on stderr when stderr is a terminal, nothing
// otherwise. While it lives, an interrupt (Ctrl+C) or a termination request stops the job at its
// next step instead of killing the program, so that the job can remove what it began to write.
class TerminalProgress final : public JobProgress {
public:
    TerminalProgress();
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    bool advance(qint64 done, qint64 total) override;
    // Whether a signal stopped the job.
    bool interrupted() const;

private:
    bool m_terminal;
    int m_shown = -1; // the percentage on the line, or -1
    struct sigaction m_previousInterrupt {};
    struct sigaction m_previousTerminate {};
};

} // namespace kivo::cli
