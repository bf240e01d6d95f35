// KIVO Log Viewer
#pragma once

#include "detect/tracedetector.h"

#include <QObject>

#include <atomic>

class QThread;

namespace kivo {

// One search on a thread of its own, so that the window stays live while it runs. The progress
// is read from any thread; cancel() asks the search to stop. The outcome comes on the job's own
// thread as exactly one of finished, cancelled or failed; a job destroyed first says nothing
// (it stops its search and waits for the thread).
class DetectJob : public QObject {
    Q_OBJECT

public:
    explicit DetectJob(const DetectRequest &request, QObject *parent = nullptr);
    ~DetectJob() override;

    void start();
    void cancel();
    bool running() const { return m_running; }
    // Records searched of the range's records, as the search last told.
    qint64 done() const { return m_progress.done; }
    qint64 total() const { return m_progress.total; }

signals:
    void finished(const QList<Pick> &candidates);
    void cancelled();
    void failed(const QString &text);

private:
    // Told by the search on the job's thread, read by the window's.
    class Progress final : public JobProgress {
    public:
        bool advance(qint64 done, qint64 total) override;

        std::atomic<qint64> done{0};
        std::atomic<qint64> total{0};
        std::atomic<bool> stop{false};
    };

    void search();
    void report();

    DetectRequest m_request;
    Progress m_progress;
    QThread *m_thread = nullptr;
    bool m_running = false;
    // Written by the search before its thread ends, read once it has.
    DetectResult m_result;
    QString m_error;
};

} // namespace kivo
