// KIVO Log Viewer
#pragma once

#include "shell/jobprogress.h"

#include <QElapsedTimer>
#include <QProgressDialog>

namespace kivo {

// A long job's progress in a modal progress dialog with a Cancel button; the dialog shows only
// once the job has run for half a second. The events are served a few times a second, so that
// the Cancel button answers.
class ProgressWindow final : public JobProgress {
public:
    ProgressWindow(QWidget *parent, const QString &label, const QString &objectName);

    bool advance(qint64 done, qint64 total) override;

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_sinceEvents;
};

} // namespace kivo
