// KIVO Log Viewer
#pragma once

#include "display/sparesurfaces.h"
#include "log/logsession.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class QFrame;
class QMimeData;
class QLabel;
class QTimer;

namespace kivo {

class ExportCommand;
class MainMenu;
class OpenCommand;
class OverviewColumn;
class PicksCommands;
class PlotsDock;
class PrintCommands;
class PrintLogCommand;
class TDXDraw;
class TForm2;
class TForm6;
class TForm7;
class TForm8;
class TScrollBar;
class TopBar;

// The main window: the top bar with the readouts and the orientation strip, the image panel
// with the display area and its scroll bar, and the menu. It owns the open log's session, which
// the tool windows observe, and hands its commands to small units: the open command (with its
// redraw loop), the print commands, the tool windows, the about box. Its controls are its own;
// the units reach them through the functions below. Each control carries its name as its
// object name.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int ImagePanelWidth = 803;

    // arguments: the command line, program name first (QCoreApplication::arguments()).
    explicit TForm1(const QStringList &arguments = QStringList());
    ~TForm1() override;

    // The other four windows, made after this one; the main program passes them in.
    void setWindows(TForm2 *form2, TForm6 *form6, TForm7 *form7, TForm8 *form8);

    // The open log and the state the windows share.
    LogSession &session() { return m_session; }
    const ViewerState &state() const { return m_session.state(); }
    MainMenu &menu() { return *m_menu; }
    OpenCommand &openCommand() { return *m_open; }
    PrintCommands &printCommands() { return *m_print; }
    PicksCommands &picksCommands() { return *m_picks; }
    PlotsDock &plotsDock() { return *m_plots; }
    OverviewColumn &overview() { return *m_overview; }
    // True once the window has closed: the open command's loop then ends and the program quits.
    bool quitRequested() const { return m_quitRequested; }
    // The directory the settings file stores, and the file.
    const QString &settingsPath() const { return m_settingsPath; }

    // What the commands work on: the display area (DXDraw1), and the print options window
    // (nullptr until the windows are made).
    TDXDraw &displayArea() { return *DXDraw1; }
    TForm8 *printOptions() const { return Form8; }

    // The parts of the window the open command sets as a log opens, scrolls and closes.
    void showLogName(const QString &name);
    // A message in the status bar below the image, until the next one (empty clears it).
    void showNotice(const QString &text);
    QString notice() const;
    // What the pointer is over, at the status bar's right.
    void showPointerText(const QString &text);
    QString pointerText() const;
    // Shows the picture of an orientation mode (1 or 2) in the strip; others leave it.
    void showOrientationStrip(int mode);
    // The scroll bar's range 0..maximum and its page.
    void setScrollRange(qint64 maximum, int page);
    // The scroll bar's column (Panel10) beside the area: when it comes, the area narrows at once
    // (so that its surface is remade before anything is drawn) and the bar takes the keys.
    bool scrollBarShown() const;
    void showScrollBar(bool shown);
    void focusScrollBar();

    // Opens a log, as Open does when it is chosen there: a log shown closes first.
    void openFile(const QString &path);
    const QStringList &recentFiles() const { return m_recentFiles; }

    // Menu commands.
    void ReplayLog1Click();
    void Close1Click();
    void EditHeader1Click();
    void Copy1Click();
    void Print1Click();
    void Print2Click();
    void PrintHeader1Click();
    void PrintLog1Click();
    void ExportImage1Click();
    void BrightnessAdjust1Click();
    void Exit1Click();
    void About1Click();
    void GoToDepth1Click();
    // Zoom In (steps > 0: fewer records a row) or Out, keeping the record on the row in place.
    void zoomBy(int steps, int row = 0);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void buildLayout();
    void connectMenu();
    void connectSession();
    // The open command, then the logs asked for while it ran.
    void runOpen();
    // The .bhx file dropped, or empty.
    static QString droppedLog(const QMimeData *data);
    void showReadouts();
    void showZoom();

    LogSession m_session;

    // Top bar (Panel1) and its parts.
    TopBar *Panel1;
    QLabel *Label1; // depth readout
    QLabel *Label2; // file name
    QLabel *Label3; // angle readout
    QLabel *Label5; // bearing readout
    QImage Image1;  // the orientation strip picture shown (353 x 18, before stretching)
    // Image panel.
    QFrame *Panel4;
    TDXDraw *DXDraw1;
    QFrame *Panel10;
    TScrollBar *ScrollBar4;
    QTimer *Timer1;
    QLabel *m_pointerReadout;
    OverviewColumn *m_overview; // right of the image panel, in the space left over
    QLabel *m_zoomReadout;

    TForm2 *Form2 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm7 *Form7 = nullptr;
    TForm8 *Form8 = nullptr;

    QStringList m_arguments;
    QStringList m_recentFiles;
    QString m_nextLog; // to open once the shown log has closed
    QString m_settingsPath;
    MainMenu *m_menu;
    std::unique_ptr<SpareSurfaces> m_spares;
    std::unique_ptr<OpenCommand> m_open;
    std::unique_ptr<PrintCommands> m_print;
    std::unique_ptr<PrintLogCommand> m_printLog;
    std::unique_ptr<ExportCommand> m_export;
    std::unique_ptr<PicksCommands> m_picks;
    PlotsDock *m_plots;
    bool m_shown = false;
    bool m_quitRequested = false;
};

} // namespace kivo
