// KIVO Log Viewer
#include "display/overviewjob.h"

#include "kivoerror.h"
#include "log/imagefile.h"
#include "shell/jobprogress.h"

#include <sys/resource.h>

namespace kivo {

namespace {

// What one read takes in. The system's own read-ahead (megabytes on many disks) fills the cache
// for a first read of the file inside one read call, holding a processor for tens of
// milliseconds during which the window's thread may wait for it; a step this size holds it well
// under a millisecond, and is still large enough that the calls cost nothing next to the reading.
constexpr qint64 ReadStepBytes = 512 * 1024;

// Asks the build to stop once the job is cancelled, and tells each new whole percent.
class ThreadProgress final : public JobProgress {
public:
    ThreadProgress(const std::atomic<bool> &cancelled, std::function<void(int)> percent)
        : m_cancelled(cancelled)
        , m_percent(std::move(percent))
    {}
    bool advance(qint64 done, qint64 total) override
    {
        const int percent = total > 0 ? int(done * 100 / total) : 100;
        if (percent != m_last) {
            m_last = percent;
            m_percent(percent);
        }
        return !m_cancelled.load(std::memory_order_relaxed);
    }

private:
    const std::atomic<bool> &m_cancelled;
    std::function<void(int)> m_percent;
    int m_last = -1;
};

} // namespace

OverviewJob::OverviewJob(QObject *parent)
    : QObject(parent)
{}

OverviewJob::~OverviewJob()
{
    cancel();
}

template <typename F> void OverviewJob::post(int generation, F f)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, f = std::move(f)] {
            if (generation == m_generation)
                f();
        },
        Qt::QueuedConnection);
}

void OverviewJob::start(const QString &dataPath, qint64 recordSize, int samplesPerLine, int rows)
{
    cancel();
    m_cancelled = false;
    m_running = true;
    m_thread = std::thread(&OverviewJob::work, this, dataPath, recordSize, samplesPerLine, rows,
                           m_generation);
}

void OverviewJob::cancel()
{
    m_cancelled = true;
    if (m_thread.joinable())
        m_thread.join();
    ++m_generation; // whatever the thread posted is dropped
    m_running = false;
}

void OverviewJob::work(QString dataPath, qint64 recordSize, int samplesPerLine, int rows,
                       int generation)
{
    // Below the window's thread, so that on a busy machine its events are served first (the
    // nice value is the calling thread's own on Linux).
    ::setpriority(PRIO_PROCESS, 0, 10);
    ThreadProgress progress(m_cancelled, [this, generation](int percent) {
        post(generation, [this, percent] { emit progressed(percent); });
    });
    try {
        ImageFile file;
        file.OpenImageFile(dataPath, recordSize);
        file.readInSteps(ReadStepBytes);
        std::optional<Overview> overview = buildOverview(file, samplesPerLine, rows, progress);
        if (!overview)
            return;
        post(generation, [this, overview = std::move(*overview)] {
            m_running = false;
            emit finished(overview);
        });
    } catch (const KivoError &error) {
        post(generation, [this, text = error.text()] {
            m_running = false;
            emit failed(text);
        });
    }
}

} // namespace kivo
