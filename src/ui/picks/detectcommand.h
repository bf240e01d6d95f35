// KIVO Log Viewer
#pragma once

#include "ui/picks/detectdialog.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QProgressDialog;
class QTimer;

namespace kivo {

class DetectJob;
struct DetectRequest;
class TForm1;

// "Detect Picks...": asks for the range and the least confidence, then searches on a thread of
// its own while a progress window with Cancel stays up beside the view. The candidates found
// replace the log's candidates; a cancelled or failed search leaves them as they were. Closing
// the log stops the search, and nothing it found reaches the next log.
class DetectCommand : public QObject {
    Q_OBJECT

public:
    // rowDepths gives the depth (log unit) of the record on each row of the view as drawn now.
    DetectCommand(TForm1 &form, std::function<std::vector<std::optional<double>>()> rowDepths,
                  QObject *parent = nullptr);
    ~DetectCommand() override;

    void DetectPicks1Click();
    bool running() const;
    QProgressDialog *progressWindow() const { return m_progress.get(); }

signals:
    // A search finished and its candidates are the log's now.
    void candidatesFound(int count);

private:
    DetectRequest request(DetectDialog::Range range);
    QString diameterText(DetectDialog::Range range);
    void start(const DetectRequest &request);
    void showProgress();
    void closeProgress();
    void stop();

    TForm1 &m_form;
    std::function<std::vector<std::optional<double>>()> m_rowDepths;
    std::unique_ptr<DetectJob> m_job;
    std::unique_ptr<QProgressDialog> m_progress;
    QTimer *m_timer;
};

} // namespace kivo
