// KIVO Log Viewer
#pragma once

#include "display/overviewbuilder.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

namespace kivo {

// Builds a log's overview in a thread of its own, with a reader of its own on the data file, so
// that the window goes on answering while the whole file is read. Its signals arrive in the
// thread that owns the job; none arrives from a build that was cancelled.
class OverviewJob : public QObject {
    Q_OBJECT

public:
    explicit OverviewJob(QObject *parent = nullptr);
    ~OverviewJob() override;

    // Starts building an overview of rows rows (a build under way is cancelled first).
    void start(const QString &dataPath, qint64 recordSize, int samplesPerLine, int rows);
    // Stops a build under way and waits for its thread, which stops within one block of records.
    void cancel();
    bool running() const { return m_running; }

signals:
    void progressed(int percent);
    void finished(const kivo::Overview &overview);
    void failed(const QString &text);

private:
    void work(QString dataPath, qint64 recordSize, int samplesPerLine, int rows, int generation);
    // Runs f in the job's thread unless the build that posted it has been cancelled since.
    template <typename F> void post(int generation, F f);

    std::thread m_thread;
    std::atomic<bool> m_cancelled{false};
    int m_generation = 0; // read and written in the owner's thread only
    bool m_running = false;
};

} // namespace kivo
