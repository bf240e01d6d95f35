// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// Where a long job (a print, an export) tells how far it has come and learns whether the user
// still wants it: a progress dialog in the viewer, a percentage on a terminal in `kivo`.
class JobProgress {
public:
    virtual ~JobProgress() = default;
    // done of total steps; false asks the job to stop. Called often: keep it cheap.
    virtual bool advance(qint64 done, qint64 total) = 0;
};

// A job that nobody watches and nobody stops.
class NoProgress final : public JobProgress {
public:
    bool advance(qint64, qint64) override { return true; }
};

} // namespace kivo
