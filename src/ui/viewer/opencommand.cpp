// KIVO Log Viewer
#include "ui/viewer/opencommand.h"

#include "display/logview.h"
#include "display/striprenderer.h"
#include "display/tcolor.h"
#include "header/headerio.h"
#include "kivoerror.h"
#include "log/datafilenotice.h"
#include "log/logopener.h"
#include "log/logsession.h"
#include "shell/settingsfile.h"
#include "ui/common/messages.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/tscrollbar.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScopeGuard>

namespace kivo {

OpenCommand::OpenCommand(TForm1 &form)
    : m_form(form)
    , m_session(form.session())
{
    QObject::connect(&form.displayArea(), &TDXDraw::resized, &form, [this] { areaResized(); });
    QObject::connect(&m_session, &LogSession::zoomChanged, &form, [this] { zoomChanged(); });
}

OpenCommand::~OpenCommand() = default;

void OpenCommand::run()
{
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });
    try {
        if (openLog())
            runLoop();
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
    closeDown();
}

QString OpenCommand::chooseFile()
{
    if (m_session.state().OpenFromCommandLine)
        return m_commandLineFile;
    return chooseFileDialog();
}

QString OpenCommand::chooseFileDialog()
{
    QFileDialog dialog(&m_form, QStringLiteral("Open"), m_session.state().LastLogDir,
                       QStringLiteral("Optical Televiewer (*.bhx *.BHX)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(QStringLiteral("bhx"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool OpenCommand::openLog()
{
    MainMenu &menu = m_form.menu();

    menu.setState(MainMenu::State::Opening);
    m_session.prepareOpen();
    m_form.repaint();

    const QString path = chooseFile();
    if (path.isEmpty() || m_form.quitRequested())
        return false;
    m_session.setOpenFromCommandLine(false);
    m_session.setLastLogDir(logDirectoryOf(path));

    const LogHeaderCheck check = m_session.readHeader(path);
    if (!check.accepted()) {
        // The fixed text of a wrong identity keeps its box; the file it came from goes under it.
        if (check.outcome == LogHeaderCheck::Outcome::InvalidHeader)
            showMessage(&m_form, QString::fromLatin1(InvalidHeaderMessage) + QLatin1Char('\n') +
                                     QDir::toNativeSeparators(check.headerFileName));
        else
            showErrorReport(&m_form, check.refusal());
        return false;
    }
    const LogLayout &layout = m_session.layout();
    m_form.showLogName(QFileInfo(path).fileName().toUpper());
    m_form.showOrientationStrip(layout.OrientationMode);
    m_form.repaint();
    menu.setState(MainMenu::State::Viewing);

    TDXDraw &area = m_form.displayArea();
    area.Initialize();
    if (!area.IsReady()) {
        showMessage(&m_form,
                    QStringLiteral("NO DIRECTX SUPPORT - Please install DIRECTX then try again."));
        return false;
    }
    StripRenderer::PrepareSurfaceA(*area.Surface());

    m_session.openDataFile(path);
    m_form.showNotice(dataFileNotice(QFileInfo(path).fileName().toUpper(),
                                     m_session.imageFile().fileSize(), layout.recordSize()));
    m_view = std::make_unique<LogView>(area.area(), m_session.imageFile(), m_session.colourMap(),
                                       layout);
    m_view->setEnhancement(&m_session.enhancement());
    setRows(area.height());
    if (m_session.geometry().scrollBarShown()) {
        const ViewGeometry &view = m_session.geometry();
        if (view.recordCount - view.rows > std::numeric_limits<int>::max())
            throw KivoError(QStringLiteral("The data file holds %1 records, more than the viewer "
                                           "can scroll through.")
                                .arg(view.recordCount));
        // The area narrows now, so that the surface is remade before anything is drawn.
        m_form.showScrollBar(true);
        m_form.repaint();
    }
    setScrollRange();
    m_session.setPosition(0);

    m_session.refreshReadouts();
    m_session.requestRedraw(RedrawFull);
    StripRenderer::PrepareSurfaceB(*area.Surface());
    area.Present();
    QCoreApplication::processEvents();
    return true;
}

void OpenCommand::setRows(int rows)
{
    m_session.setRows(rows);
    m_view->setGeometry(m_session.geometry());
}

void OpenCommand::setScrollRange()
{
    const ViewGeometry &view = m_session.geometry();
    m_form.setScrollRange(view.scrollMax(), qMax(1, view.rows));
}

void OpenCommand::runLoop()
{
    const ViewerState &state = m_session.state();
    for (;;) {
        if (state.RedrawPending)
            servePass();
        if (m_form.quitRequested() || state.CloseRequested)
            return;
        // Nothing to draw: sleep until the window system or a timer has something.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void OpenCommand::servePass()
{
    const qint64 position = m_session.position();
    const quint8 kind = m_session.takeRedrawRequest();
    ++m_passCount;
    if (kind == RedrawLineUp || kind == RedrawLineDown) {
        m_view->incrementalPass(position);
    } else {
        m_form.repaint();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto normalCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        m_view->fullPass(position);
    }
    // The scroll handlers read the readouts before the bar moves; after the pass they describe
    // the view shown, also while the thumb is dragged.
    updateReadouts();
}

void OpenCommand::closeDown()
{
    m_session.clearCloseRequest();
    m_view.reset();
    // The readouts go with the log: a readout without a log would describe nothing.
    m_session.close();
    m_form.showScrollBar(false);
    m_form.showLogName(QString());
    m_form.showNotice(QString());
    TDXDraw &area = m_form.displayArea();
    if (TDirectDrawSurface *surface = area.Surface()) {
        TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(surface->ClientRect());
        canvas.ReleaseCanvas();
        area.Present();
    }
    area.Finalize();
    m_form.menu().setState(MainMenu::State::Idle);
}

void OpenCommand::ScrollBar4Scroll(int code)
{
    if (!m_view)
        return;
    updateReadouts();
    const bool namesPass = code >= TScrollBar::scLineUp && code <= TScrollBar::scPosition;
    m_session.requestRedraw(namesPass ? quint8(code) : m_session.state().RedrawKind);
}

void OpenCommand::updateReadouts()
{
    try {
        m_session.refreshReadouts();
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
}

void OpenCommand::areaResized()
{
    if (!m_view)
        return;
    // The surface was made again at the new size: the whole view must be drawn again, and the
    // scroll range, the position in it and the readouts follow the new number of rows.
    setRows(m_form.displayArea().height());
    m_view->surfaceRemade();
    setScrollRange();
    m_session.requestRedraw(RedrawFull);
    updateReadouts();
    showScrollBarAsNeeded();
}

void OpenCommand::zoomChanged()
{
    if (!m_view)
        return;
    m_view->setGeometry(m_session.geometry());
    setScrollRange();
    showScrollBarAsNeeded();
}

void OpenCommand::showScrollBarAsNeeded()
{
    // The bar's panel takes its width from the area or gives it back, at the same height, so
    // the area comes back to areaResized once more with the same rows and the bar stays as it
    // is then.
    const bool scrolls = m_session.geometry().scrollBarShown();
    if (m_form.scrollBarShown() != scrolls)
        m_form.showScrollBar(scrolls);
}

} // namespace kivo
