// KIVO Log Viewer
#include "detect/detectjob.h"

#include "kivoerror.h"

#include <QThread>

namespace kivo {

bool DetectJob::Progress::advance(qint64 doneNow, qint64 totalNow)
{
    done = doneNow;
    total = totalNow;
    return !stop;
}

DetectJob::DetectJob(const DetectRequest &request, QObject *parent)
    : QObject(parent)
    , m_request(request)
{
    m_progress.total = request.lastRecord - request.firstRecord + 1;
}

DetectJob::~DetectJob()
{
    if (!m_thread)
        return;
    m_progress.stop = true;
    m_thread->wait();
    delete m_thread;
}

void DetectJob::start()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { search(); });
    // The thread's finished signal comes from the thread itself: report() runs on ours.
    connect(m_thread, &QThread::finished, this, &DetectJob::report);
    m_running = true;
    m_thread->start();
}

void DetectJob::cancel()
{
    m_progress.stop = true;
}

void DetectJob::search()
{
    try {
        m_result = detectTraces(m_request, &m_progress);
    } catch (const KivoError &error) {
        m_error = error.text();
    } catch (const std::bad_alloc &) {
        m_error = QStringLiteral("not enough memory to search the log");
    }
}

void DetectJob::report()
{
    m_running = false;
    if (!m_error.isEmpty())
        emit failed(m_error);
    else if (m_result.cancelled || m_progress.stop)
        emit cancelled();
    else
        emit finished(m_result.candidates);
}

} // namespace kivo
