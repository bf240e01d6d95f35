// KIVO Log Viewer
#include "ui/viewer/tform1.h"

#include "display/orientationstrip.h"
#include "kivoerror.h"
#include "shell/errorreport.h"
#include "shell/settingsfile.h"
#include "ui/common/messages.h"
#include "ui/display/tdxdraw.h"
#include "ui/display/tform2.h"
#include "ui/export/exportcommand.h"
#include "ui/header/tform6.h"
#include "ui/picks/pickscommands.h"
#include "ui/plots/plotsdock.h"
#include "ui/print/printcommands.h"
#include "ui/print/printlogcommand.h"
#include "ui/print/tform8.h"
#include "ui/viewer/copycommand.h"
#include "ui/viewer/gotodepthdialog.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/opencommand.h"
#include "ui/viewer/overviewcolumn.h"
#include "ui/viewer/tform7.h"
#include "ui/viewer/topbar.h"
#include "ui/viewer/tscrollbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace kivo {

TForm1::TForm1(const QStringList &arguments)
    : m_arguments(arguments)
    , m_settingsPath(settingsFilePath())
{
    setWindowTitle(QStringLiteral("KIVO Log Viewer"));
    buildLayout();
    m_menu = new MainMenu(menuBar(), this);
    m_spares = std::make_unique<SpareSurfaces>(
        DXDraw1->area(), [this](const QString &text) { showMessage(this, text); });
    DXDraw1->area().OnInitialize = [this] {
        m_spares->DXDraw1Initialize();
    };
    DXDraw1->area().OnFinalize = [this] {
        m_spares->DXDraw1Finalize();
    };
    m_open = std::make_unique<OpenCommand>(*this);
    m_print = std::make_unique<PrintCommands>(*this);
    m_printLog = std::make_unique<PrintLogCommand>(*this);
    m_export = std::make_unique<ExportCommand>(*this);
    m_pointerReadout = new QLabel(this);
    m_pointerReadout->setObjectName(QStringLiteral("PointerReadout"));
    statusBar()->addPermanentWidget(m_pointerReadout);
    m_zoomReadout = new QLabel(this);
    m_zoomReadout->setObjectName(QStringLiteral("ZoomReadout"));
    statusBar()->addPermanentWidget(m_zoomReadout);
    m_picks = std::make_unique<PicksCommands>(*this);
    m_plots = new PlotsDock(*this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connectMenu();
    connectSession();
    FormCreate();
}

TForm1::~TForm1()
{
    delete m_plots; // it follows the session's picks, which go with the window
    m_picks.reset();
    // The area's last Finalize raises OnFinalize, which the spare surfaces handle.
    DXDraw1->Finalize();
}

void TForm1::buildLayout()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = new TopBar(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = Panel1->Label1;
    Label2 = Panel1->Label2;
    Label3 = Panel1->Label3;
    Label5 = Panel1->Label5;
    Image1 = Image4();
    column->addWidget(Panel1);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Panel4 = new QFrame(central);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel4->setLineWidth(1);
    Panel4->setFixedWidth(ImagePanelWidth);
    auto *panelRow = new QHBoxLayout(Panel4);
    panelRow->setContentsMargins(0, 0, 0, 0); // the frame is the 1-pixel bevel
    panelRow->setSpacing(0);
    DXDraw1 = new TDXDraw(Panel4);
    DXDraw1->setObjectName(QStringLiteral("DXDraw1"));
    panelRow->addWidget(DXDraw1);
    Panel10 = new QFrame(Panel4);
    Panel10->setObjectName(QStringLiteral("Panel10"));
    Panel10->setFixedWidth(18);
    Panel10->setAutoFillBackground(true);
    QPalette grey = Panel10->palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel10->setPalette(grey);
    auto *barColumn = new QHBoxLayout(Panel10);
    barColumn->setContentsMargins(1, 0, 1, 0);
    ScrollBar4 = new TScrollBar(Qt::Vertical, Panel10);
    ScrollBar4->setObjectName(QStringLiteral("ScrollBar4"));
    ScrollBar4->setFixedWidth(16);
    ScrollBar4->setSingleStep(40);
    // The keys scroll the log wherever the user clicks on it, the bar or the image.
    ScrollBar4->setFocusPolicy(Qt::ClickFocus);
    DXDraw1->setFocusPolicy(Qt::ClickFocus);
    DXDraw1->setFocusProxy(ScrollBar4);
    barColumn->addWidget(ScrollBar4);
    panelRow->addWidget(Panel10);
    row->addWidget(Panel4);
    m_overview = new OverviewColumn(m_session, central);
    row->addWidget(m_overview, 1);
    column->addLayout(row, 1);
    setCentralWidget(central);
    // A .bhx dropped anywhere on the window's body opens (the main window's own drop events
    // serve its dock areas).
    central->setAcceptDrops(true);
    central->installEventFilter(this);
}

void TForm1::connectMenu()
{
    connect(m_menu->ReplayLog1, &QAction::triggered, this, &TForm1::ReplayLog1Click);
    connect(m_menu->Close1, &QAction::triggered, this, &TForm1::Close1Click);
    connect(m_menu->EditHeader1, &QAction::triggered, this, &TForm1::EditHeader1Click);
    connect(m_menu->Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
    connect(m_menu->Print1, &QAction::triggered, this, &TForm1::Print1Click);
    connect(m_menu->Print2, &QAction::triggered, this, &TForm1::Print2Click);
    connect(m_menu->PrintHeader1, &QAction::triggered, this, &TForm1::PrintHeader1Click);
    connect(m_menu->PrintLog1, &QAction::triggered, this, &TForm1::PrintLog1Click);
    connect(m_menu->ExportImage1, &QAction::triggered, this, &TForm1::ExportImage1Click);
    connect(m_menu->BrightnessAdjust1, &QAction::triggered, this, &TForm1::BrightnessAdjust1Click);
    connect(m_menu->NormalisationOff1, &QAction::triggered, this,
            [this] { m_session.setNormalisation(Normalisation::Off); });
    connect(m_menu->NormalisationStatic1, &QAction::triggered, this,
            [this] { m_session.setNormalisation(Normalisation::Static); });
    connect(m_menu->NormalisationDynamic1, &QAction::triggered, this,
            [this] { m_session.setNormalisation(Normalisation::Dynamic); });
    connect(m_menu->GreyScale1, &QAction::toggled, this,
            [this](bool grey) { m_session.setGreyScale(grey); });
    connect(m_menu->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(m_menu->About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(m_menu->GoToDepth1, &QAction::triggered, this, &TForm1::GoToDepth1Click);
    connect(m_menu->ZoomIn1, &QAction::triggered, this, [this] { zoomBy(1); });
    connect(m_menu->ZoomOut1, &QAction::triggered, this, [this] { zoomBy(-1); });
    // From the menu's own event: the open's loop starts once the menu has closed.
    connect(m_menu, &MainMenu::recentFileChosen, this, [this](const QString &path) {
        QTimer::singleShot(0, this, [this, path] { openFile(path); });
    });
    connect(ScrollBar4, &TScrollBar::scrolled, this,
            [this](int code) { m_open->ScrollBar4Scroll(code); });
    connect(ScrollBar4, &TScrollBar::valueChanged, this,
            [this](int value) { m_session.setPosition(value); });
    connect(DXDraw1, &TDXDraw::wheelTurned, this, [this](int steps) {
        if (m_open->viewing() && Panel10->isVisible())
            ScrollBar4->scrollByWheel(steps);
    });
    connect(DXDraw1, &TDXDraw::zoomWheelTurned, this, [this](int steps, int row) {
        if (m_open->viewing())
            zoomBy(steps, row);
    });
}

void TForm1::connectSession()
{
    connect(&m_session, &LogSession::positionChanged, this,
            [this](qint64 position) { ScrollBar4->setValue(int(position)); });
    connect(&m_session, &LogSession::readoutsChanged, this, &TForm1::showReadouts);
    connect(&m_session, &LogSession::zoomChanged, this, &TForm1::showZoom);
    connect(&m_session, &LogSession::logClosed, this, &TForm1::showZoom);
    connect(&m_session, &LogSession::logOpened, this, [this] {
        showZoom();
        m_recentFiles =
            withRecentFile(m_recentFiles, QFileInfo(state().ImageFile.path()).absoluteFilePath());
        m_menu->setRecentFiles(m_recentFiles);
    });
}

void TForm1::showReadouts()
{
    const ReadoutTexts &readouts = m_session.readouts();
    Panel1->setDepthReadout(readouts.depth);
    Label3->setText(readouts.angle);
    Label5->setText(readouts.bearing);
}

void TForm1::showZoom()
{
    m_zoomReadout->setText(m_session.isOpen() ? QStringLiteral("Zoom 1:%1").arg(m_session.zoom())
                                              : QString());
}

void TForm1::zoomBy(int steps, int row)
{
    int zoom = m_session.zoom();
    for (; steps > 0 && zoom > 1; --steps)
        zoom /= 2;
    for (; steps < 0 && zoom < 16; ++steps)
        zoom *= 2;
    m_session.setZoom(zoom, row);
}

void TForm1::setWindows(TForm2 *form2, TForm6 *form6, TForm7 *form7, TForm8 *form8)
{
    Form2 = form2;
    Form6 = form6;
    Form7 = form7;
    Form8 = form8;
}

void TForm1::FormCreate()
{
    // The session starts with brightness 0, contrast 100 and their tables built.
    m_session.setOpenFromCommandLine(false);
    m_session.clearCloseRequest();
    m_session.setLastLogDir(
        loadLastLogDir(m_settingsPath, QCoreApplication::applicationDirPath() + QLatin1Char('/')));
    m_recentFiles = loadRecentFiles(m_settingsPath);
    m_menu->setRecentFiles(m_recentFiles);
    Panel10->hide();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Disabling the window (the about box) took the focus from the scroll bar: the keys scroll
    // the log again once the window takes input again.
    if (event->type() == QEvent::EnabledChange && isEnabled() && m_open->viewing() &&
        Panel10->isVisible())
        ScrollBar4->setFocus();
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_picks->windowActivated();
}

void TForm1::FormShow()
{
    // A data file named as the first argument opens about a second after the window shows;
    // anything else on the command line is ignored.
    if (m_arguments.size() >= 2 && QFileInfo(m_arguments.at(1)).isFile()) {
        m_session.setOpenFromCommandLine(true);
        m_open->setCommandLineFile(m_arguments.at(1));
        Timer1->start();
    }
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    // "&Open" chosen in the meantime has opened the file already.
    if (state().OpenFromCommandLine)
        ReplayLog1Click();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    try {
        saveSettings(m_settingsPath, state().LastLogDir, m_recentFiles);
    } catch (const KivoError &error) {
        // Tell the user the setting is lost, but never keep them from quitting.
        showErrorReport(this, error.text());
    }
    m_quitRequested = true;
    for (QWidget *window : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form6),
                            static_cast<QWidget *>(Form7), static_cast<QWidget *>(Form8)}) {
        if (window)
            window->hide();
    }
    QCoreApplication::quit();
}

void TForm1::ReplayLog1Click()
{
    // The menu or the command-line timer, whichever comes first, opens the file named on the
    // command line; the other has nothing left to do. Every command runs from inside the open
    // command's loop, so the open must not start again from there either.
    Timer1->stop();
    if (!m_open->running()) {
        runOpen();
        return;
    }
    // While a log is shown, a file chosen replaces it.
    if (!m_open->viewing())
        return;
    const QString path = m_open->chooseFileDialog();
    if (!path.isEmpty())
        openFile(path);
}

void TForm1::openFile(const QString &path)
{
    if (m_open->running()) {
        if (!m_open->viewing())
            return;
        // The shown log closes down first; the open command's caller then opens this one.
        m_nextLog = path;
        m_session.requestClose();
        return;
    }
    m_session.setOpenFromCommandLine(true);
    m_open->setCommandLineFile(path);
    runOpen();
}

void TForm1::runOpen()
{
    m_open->run();
    while (!m_nextLog.isEmpty() && !m_quitRequested) {
        const QString next = std::exchange(m_nextLog, QString());
        m_session.setOpenFromCommandLine(true);
        m_open->setCommandLineFile(next);
        m_open->run();
    }
    m_nextLog.clear();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != centralWidget() ||
        (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop))
        return QMainWindow::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event); // QDragEnterEvent is one
    const QString path = droppedLog(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->acceptProposedAction();
    // The open runs its own loop: not from inside the drop.
    if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, path] { openFile(path); });
    return true;
}

QString TForm1::droppedLog(const QMimeData *data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    const QString path = data->urls().first().toLocalFile();
    return path.endsWith(QLatin1String(".bhx"), Qt::CaseInsensitive) ? path : QString();
}

void TForm1::Close1Click()
{
    m_session.requestClose();
}

void TForm1::EditHeader1Click()
{
    if (Form6) {
        Form6->show(); // refills the dialog only when it was hidden
        Form6->raise();
    }
}

void TForm1::Copy1Click()
{
    copyToClipboard(*DXDraw1, this);
}

void TForm1::Print1Click()
{
    m_print->Print1Click();
}

void TForm1::Print2Click()
{
    m_print->Print2Click();
}

void TForm1::PrintHeader1Click()
{
    m_print->PrintHeader1Click();
}

void TForm1::PrintLog1Click()
{
    m_printLog->PrintLog1Click();
}

void TForm1::ExportImage1Click()
{
    m_export->ExportImage1Click();
}

void TForm1::BrightnessAdjust1Click()
{
    if (Form2) {
        Form2->show();
        Form2->raise();
    }
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::About1Click()
{
    if (Form7)
        Form7->About1Click();
}

void TForm1::showLogName(const QString &name)
{
    Label2->setText(name);
}

void TForm1::GoToDepth1Click()
{
    try {
        const auto range = m_session.recordDepthRange();
        if (!range)
            return;
        GoToDepthDialog dialog(range->first, range->second, m_session.layout().unitSuffix(), this);
        if (dialog.exec() == QDialog::Accepted)
            m_session.goToDepth(dialog.depth());
    } catch (const KivoError &error) {
        showErrorReport(this, error.text());
    }
}

void TForm1::showPointerText(const QString &text)
{
    m_pointerReadout->setText(text);
}

QString TForm1::pointerText() const
{
    return m_pointerReadout->text();
}

void TForm1::showNotice(const QString &text)
{
    statusBar()->showMessage(text);
}

QString TForm1::notice() const
{
    return statusBar()->currentMessage();
}

void TForm1::showOrientationStrip(int mode)
{
    ShowOrientationStrip(mode, Image1);
    Panel1->setStrip(Image1);
}

void TForm1::setScrollRange(qint64 maximum, int page)
{
    ScrollBar4->setRange(0, int(maximum));
    ScrollBar4->setPageStep(page);
}

bool TForm1::scrollBarShown() const
{
    return !Panel10->isHidden();
}

void TForm1::showScrollBar(bool shown)
{
    Panel10->setVisible(shown);
    if (!shown)
        return;
    Panel4->layout()->activate();
    ScrollBar4->setFocus();
}

void TForm1::focusScrollBar()
{
    ScrollBar4->setFocus();
}

} // namespace kivo
