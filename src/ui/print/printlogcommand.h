// KIVO Log Viewer
#pragma once

#include <QObject>
#include <QString>

namespace kivo {

class TForm1;

// "Print &Log...": shows the print options dialog TForm8 over the disabled main window, its
// start and end depth preset to the first and last record's the first time for each log, and
// prints the log with the print commands once OK accepts the options; CANCEL does nothing.
class PrintLogCommand : public QObject {
    Q_OBJECT

public:
    explicit PrintLogCommand(TForm1 &form);

    void PrintLog1Click();

private:
    void presetRange();
    void print();

    TForm1 &m_form;
    bool m_connected = false;
    bool m_waiting = false; // the dialog is up for this command
    QString m_presetLog;    // the log whose range the dialog was preset to
};

} // namespace kivo
