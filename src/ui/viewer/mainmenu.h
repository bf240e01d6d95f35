// KIVO Log Viewer
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace kivo {

// The main window's menu: "&File", "&Edit", "&View" and the "&About..." command on the bar, then
// "&Picks".
// Ctrl+C copies and "&Close" is Ctrl+W, as on every desktop; Ctrl+Q exits as well as Ctrl+X;
// the bar menus open with Alt and their underlined letter.
class MainMenu : public QObject {
    Q_OBJECT

public:
    // Which items are enabled follows the open command's progress.
    enum class State {
        Idle,    // start-up, and after a log is closed or refused
        Opening, // the open command has started: copy and display adjust already work
        Viewing, // a log is open
    };

    MainMenu(QMenuBar *bar, QObject *parent = nullptr);

    void setState(State state);
    // The logs Open Recent offers, newest first.
    void setRecentFiles(const QStringList &paths);

signals:
    void recentFileChosen(const QString &path);

public:
    State state() const { return m_state; }

    QMenu *File1;
    QAction *ReplayLog1;   // "&Open", also while a log is open: the next log replaces it
    QMenu *Recent1;        // "Open &Recent": the last logs opened
    QAction *Close1;       // "&Close"
    QAction *EditHeader1;  // "&View Header"
    QAction *Print1;       // "Print &Setup..."
    QAction *Print2;       // "&Print Screen"
    QAction *PrintLog1;    // "Print &Log..."
    QAction *PrintHeader1; // "Print &Header"
    QAction *ExportImage1; // "E&xport Image..."
    QAction *Exit1;        // "E&xit"
    QMenu *Edit1;
    QAction *Copy1; // "&Copy"
    QMenu *View1;
    QAction *BrightnessAdjust1; // "&Display Adjust"
    QMenu *Normalisation1;      // "&Normalisation": one of Off, Static, Dynamic
    QAction *NormalisationOff1;
    QAction *NormalisationStatic1;
    QAction *NormalisationDynamic1;
    QAction *GreyScale1;        // "&Grey Scale", checkable
    QAction *GoToDepth1;        // "Go to &Depth..."
    QAction *Plots1;            // "&Plots", checked while the plots panel shows
    QAction *ZoomIn1;           // "Zoom &In": Ctrl++ (and Ctrl+=), fewer records a row
    QAction *ZoomOut1;          // "Zoom &Out": Ctrl+-, more records a row
    QAction *About1;            // "&About..."
    QMenu *Picks1;
    QAction *NewPick1;          // "&New Pick"
    QAction *DeletePick1;       // "&Delete Pick"
    QAction *ShowPicks1;        // "&Show Picks", on from the start
    QAction *PickTable1;        // "Pick &Table..."
    QAction *BoreholeDiameter1; // "Borehole &Diameter..."
    QAction *DetectPicks1;      // "Detect Pi&cks..."

private:
    State m_state = State::Idle;
};

} // namespace kivo
