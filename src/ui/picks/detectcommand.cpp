// KIVO Log Viewer
#include "ui/picks/detectcommand.h"

#include "detect/detectjob.h"
#include "detect/detectrange.h"
#include "kivoerror.h"
#include "log/logsession.h"
#include "picks/boreholediameter.h"
#include "ui/common/messages.h"
#include "ui/viewer/tform1.h"

#include <QProgressDialog>
#include <QTimer>

namespace kivo {

namespace {

constexpr int Steps = 1000;
constexpr int ProgressInterval = 100; // milliseconds

} // namespace

DetectCommand::DetectCommand(TForm1 &form,
                             std::function<std::vector<std::optional<double>>()> rowDepths,
                             QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_rowDepths(std::move(rowDepths))
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(ProgressInterval);
    connect(m_timer, &QTimer::timeout, this, &DetectCommand::showProgress);
    connect(&form.session(), &LogSession::logClosed, this, &DetectCommand::stop);
}

DetectCommand::~DetectCommand() = default;

bool DetectCommand::running() const
{
    return m_job && m_job->running();
}

DetectRequest DetectCommand::request(DetectDialog::Range range)
{
    LogSession &session = m_form.session();
    std::optional<double> from;
    std::optional<double> to;
    if (range == DetectDialog::RecordsInView) {
        for (const std::optional<double> &depth : m_rowDepths()) {
            if (!depth)
                continue;
            if (!from)
                from = depth;
            to = depth;
        }
    }
    return detectRequest(session, from, to, std::nullopt);
}

QString DetectCommand::diameterText(DetectDialog::Range range)
{
    try {
        const double diameter = request(range).diameter;
        return QStringLiteral("%1 %2")
            .arg(diameter, 0, 'f', 2)
            .arg(diameterUnit(m_form.session().layout().DepthUnit != 0));
    } catch (const KivoError &error) {
        return error.text();
    }
}

void DetectCommand::DetectPicks1Click()
{
    if (running()) {
        m_progress->show();
        m_progress->raise();
        return;
    }
    if (!m_form.session().isOpen())
        return;
    DetectDialog dialog([this](DetectDialog::Range range) { return diameterText(range); }, &m_form);
    if (dialog.exec() != QDialog::Accepted || !m_form.session().isOpen())
        return;
    try {
        DetectRequest search = request(dialog.range());
        search.minConfidence = dialog.minConfidence();
        start(search);
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
}

void DetectCommand::start(const DetectRequest &search)
{
    // The job of the last search, done, goes (it is kept until now: its signal carried the
    // candidates).
    m_job = std::make_unique<DetectJob>(search);
    connect(m_job.get(), &DetectJob::finished, this, [this](const QList<Pick> &candidates) {
        closeProgress();
        m_form.session().candidates().reset(candidates);
        const qsizetype count = candidates.size();
        m_form.showNotice(count == 0
                              ? QStringLiteral("No candidates found.")
                              : QStringLiteral("%1 candidate%2: Enter accepts the one "
                                               "chosen in the pick table, Delete rejects it.")
                                    .arg(count)
                                    .arg(count == 1 ? "" : "s"));
        emit candidatesFound(int(count));
    });
    connect(m_job.get(), &DetectJob::cancelled, this, [this] {
        closeProgress();
        m_form.showNotice(QStringLiteral("Detection cancelled; the candidates are as they were."));
    });
    connect(m_job.get(), &DetectJob::failed, this, [this](const QString &text) {
        closeProgress();
        showErrorReport(&m_form, text);
    });
    m_progress = std::make_unique<QProgressDialog>(QStringLiteral("Detecting picks..."),
                                                   QStringLiteral("Cancel"), 0, Steps, &m_form);
    m_progress->setObjectName(QStringLiteral("DetectProgress"));
    m_progress->setWindowTitle(QStringLiteral("Detect Picks"));
    // Not modal: the log can be looked at, and closed, while the search runs.
    m_progress->setWindowModality(Qt::NonModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->setValue(0);
    connect(m_progress.get(), &QProgressDialog::canceled, m_job.get(), &DetectJob::cancel);
    m_progress->show();
    m_job->start();
    m_timer->start();
}

void DetectCommand::showProgress()
{
    if (!m_job || !m_progress)
        return;
    const qint64 total = m_job->total();
    const qint64 step = total > 0 ? m_job->done() * Steps / total : 0;
    m_progress->setValue(int(qBound(qint64(0), step, qint64(Steps))));
}

void DetectCommand::closeProgress()
{
    m_timer->stop();
    m_progress.reset();
}

void DetectCommand::stop()
{
    closeProgress();
    // A search still running stops, and its job waits for its thread before it goes.
    m_job.reset();
}

} // namespace kivo
