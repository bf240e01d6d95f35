// KIVO Log Viewer
#pragma once

#include <QString>

#include <memory>

namespace kivo {

class LogSession;
class LogView;
class TForm1;

// The "&Open" command: chooses a data file (the open dialog, or the file named on the command
// line), reads and checks its header, opens the data file, and then stays in its own loop,
// serving redraw requests and dispatching window events, until the log is closed or the program
// quits. It returns only then. Every other command runs inside that loop, between two passes.
class OpenCommand {
public:
    explicit OpenCommand(TForm1 &form);
    ~OpenCommand();

    // ReplayLog1Click: the whole open, view and close of one log.
    void run();
    // The file the command line named; used instead of the dialog when OpenFromCommandLine is set.
    void setCommandLineFile(const QString &path) { m_commandLineFile = path; }
    // The open dialog ("Open", in the last log's folder): the chosen file, or empty.
    QString chooseFileDialog();

    // From the start of run() until it returns, dialog and message boxes included.
    bool running() const { return m_running; }
    bool viewing() const { return m_view != nullptr; }
    LogView *view() const { return m_view.get(); }
    // How many redraw passes the loop has run, full or incremental.
    int passCount() const { return m_passCount; }

    // ScrollBar4Scroll: the readouts from the position before the action, then the request.
    void ScrollBar4Scroll(int code);

private:
    // The open sequence up to the loop; false when the log was refused or the dialog cancelled.
    bool openLog();
    QString chooseFile();
    void runLoop();
    void servePass();
    // The window back to idle, however the command ends: the log closed, the dialog cancelled,
    // the log refused, or the open abandoned on an error.
    void closeDown();
    // The readouts for the scroll bar's position, from a handler running inside the loop: a
    // failure is reported and leaves the readouts as they were, the log stays open.
    void updateReadouts();
    void areaResized();
    // The view, the scroll range and the bar follow a new zoom; the session asked for the pass.
    void zoomChanged();
    // The bar comes when the log no longer fits in the rows and goes when it fits again.
    void showScrollBarAsNeeded();
    // The session's rows and the view's geometry, together.
    void setRows(int rows);
    void setScrollRange();

    TForm1 &m_form;
    LogSession &m_session;
    QString m_commandLineFile;
    std::unique_ptr<LogView> m_view;
    bool m_running = false;
    int m_passCount = 0;
};

} // namespace kivo
