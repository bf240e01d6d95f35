// KIVO Log Viewer
#include "ui/common/progresswindow.h"

#include <QCoreApplication>

namespace kivo {

namespace {

constexpr int Steps = 1000;
constexpr qint64 EventInterval = 50; // milliseconds

} // namespace

ProgressWindow::ProgressWindow(QWidget *parent, const QString &label, const QString &objectName)
    : m_dialog(label, QStringLiteral("Cancel"), 0, Steps, parent)
{
    m_dialog.setObjectName(objectName);
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoReset(false);
    m_dialog.setValue(0);
    m_sinceEvents.start();
}

bool ProgressWindow::advance(qint64 done, qint64 total)
{
    if (m_sinceEvents.elapsed() >= EventInterval) {
        // setValue shows the dialog when the job turns out long, and serves the events.
        m_dialog.setValue(total > 0 ? int(qBound(qint64(0), done * Steps / total, qint64(Steps)))
                                    : 0);
        QCoreApplication::processEvents();
        m_sinceEvents.restart();
    }
    return !m_dialog.wasCanceled();
}

} // namespace kivo
