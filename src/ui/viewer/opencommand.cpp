// KIVO Log Viewer
#include "ui/viewer/opencommand.h"

#include "display/logview.h"
#include "display/striprenderer.h"
#include "display/tcolor.h"
#include "header/headerfilename.h"
#include "header/headerio.h"
#include "kivoerror.h"
#include "log/logopener.h"
#include "shell/settingsfile.h"
#include "ui/common/messages.h"
#include "ui/display/tdxdraw.h"
#include "ui/viewer/mainmenu.h"
#include "ui/viewer/tform1.h"
#include "ui/viewer/tscrollbar.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QScopeGuard>

namespace kivo {

OpenCommand::OpenCommand(TForm1 &form)
    : m_form(form)
{
    QObject::connect(form.DXDraw1, &TDXDraw::resized, &form, [this] { areaResized(); });
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
    ViewerState &state = m_form.state();
    if (state.OpenFromCommandLine)
        return m_commandLineFile;
    QFileDialog dialog(&m_form, QStringLiteral("Open"), state.LastLogDir,
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
    ViewerState &state = m_form.state();
    MainMenu &menu = m_form.menu();

    menu.setState(MainMenu::State::Opening);
    m_previousViewDepthUnit = state.params.ViewDepthUnit;
    ResetHeader(state.header);
    m_form.repaint();

    const QString path = chooseFile();
    if (path.isEmpty() || m_form.quitRequested())
        return false;
    state.OpenFromCommandLine = 0;
    state.LastLogDir = logDirectoryOf(path);
    // Named before the header is read: a header that cannot be read is still this log's.
    state.HeaderFileName = findHeaderFile(MakeHeaderFileName(path));

    const LogHeaderCheck check = checkLogHeader(path, state.header, state.params.ViewDepthUnit,
                                                state.params.DefaultSampleCount);
    if (!check.accepted()) {
        if (check.outcome == LogHeaderCheck::Outcome::InvalidHeader)
            showMessage(&m_form, QString::fromLatin1(InvalidHeaderMessage));
        return false;
    }
    m_layout = check.layout;
    state.SamplesPerLine = m_layout.SamplesPerLine;
    state.LogDirection = m_layout.LogDirection;
    state.OrientationMode = m_layout.OrientationMode;
    state.LogStartDepth = m_layout.LogStartDepth;
    state.LogEndDepth = m_layout.LogEndDepth;
    state.params.ViewDepthUnit = m_layout.DepthUnit;

    m_form.Label2->setText(QFileInfo(path).fileName().toUpper());
    m_form.showOrientationStrip(state.OrientationMode);
    m_form.repaint();
    menu.setState(MainMenu::State::Viewing);

    TDXDraw &area = *m_form.DXDraw1;
    area.Initialize();
    if (!area.IsReady()) {
        showMessage(&m_form,
                    QStringLiteral("NO DIRECTX SUPPORT - Please install DIRECTX then try again."));
        return false;
    }
    StripRenderer::PrepareSurfaceA(*area.Surface());

    state.ImageFile.OpenImageFile(path, m_layout.recordSize());
    m_dataFileOpen = true;
    const qint64 count = state.ImageFile.RecordCount();
    m_view = std::make_unique<LogView>(area.area(), state.ImageFile, state.ColourMap, m_layout);
    const int rows = area.height();
    m_view->setGeometry({count, rows, m_layout.LogDirection});
    if (m_view->geometry().scrollBarShown()) {
        if (count - rows > std::numeric_limits<int>::max())
            throw KivoError(QStringLiteral("The data file holds %1 records, more than the viewer "
                                           "can scroll through.")
                                .arg(count));
        m_form.Panel10->show();
        // The area narrows now, so that the surface is remade before anything is drawn.
        m_form.Panel4->layout()->activate();
        m_form.ScrollBar4->setFocus();
        m_form.repaint();
    }
    setScrollRange();
    m_form.ScrollBar4->setValue(0);

    m_readouts = ReadoutTexts{};
    refreshReadouts(0);
    state.requestRedraw(RedrawFull);
    StripRenderer::PrepareSurfaceB(*area.Surface());
    area.Present();
    QCoreApplication::processEvents();
    return true;
}

void OpenCommand::setScrollRange()
{
    const ViewGeometry &view = m_view->geometry();
    TScrollBar &bar = *m_form.ScrollBar4;
    bar.setRange(0, int(view.scrollMax()));
    bar.setPageStep(qMax(1, view.rows));
}

void OpenCommand::runLoop()
{
    ViewerState &state = m_form.state();
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
    ViewerState &state = m_form.state();
    const qint64 position = m_form.ScrollBar4->value();
    state.RedrawPending = 0;
    ++m_passCount;
    if (state.RedrawKind == RedrawLineUp || state.RedrawKind == RedrawLineDown) {
        m_view->incrementalPass(position);
        return;
    }
    m_form.repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_view->fullPass(position);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void OpenCommand::closeDown()
{
    ViewerState &state = m_form.state();
    state.CloseRequested = 0;
    m_form.Label1->clear();
    m_form.Label3->clear();
    // The bearing goes too: a readout without a log would describe nothing.
    m_form.Label5->clear();
    if (m_dataFileOpen)
        state.ImageFile.CloseImageFile();
    m_dataFileOpen = false;
    m_view.reset();
    state.RedrawPending = 0;
    m_form.Panel10->hide();
    m_form.Label2->clear();
    TDXDraw &area = *m_form.DXDraw1;
    if (TDirectDrawSurface *surface = area.Surface()) {
        TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(surface->ClientRect());
        canvas.ReleaseCanvas();
        area.Present();
    }
    area.Finalize();
    state.params.ViewDepthUnit = m_previousViewDepthUnit;
    m_form.menu().setState(MainMenu::State::Idle);
}

void OpenCommand::ScrollBar4Scroll(int code)
{
    if (!m_view)
        return;
    updateReadouts();
    ViewerState &state = m_form.state();
    if (code >= TScrollBar::scLineUp && code <= TScrollBar::scPosition)
        state.RedrawKind = quint8(code);
    state.RedrawPending = 1;
}

void OpenCommand::updateReadouts()
{
    try {
        refreshReadouts(m_form.ScrollBar4->value());
    } catch (const KivoError &error) {
        showErrorReport(&m_form, error.text());
    }
}

void OpenCommand::refreshReadouts(qint64 position)
{
    readReadouts(m_readouts, m_form.state().ImageFile, m_layout.SamplesPerLine, m_view->geometry(),
                 position);
    showReadouts();
}

void OpenCommand::showReadouts()
{
    m_form.Label1->setText(m_readouts.depth);
    m_form.Label3->setText(m_readouts.angle);
    m_form.Label5->setText(m_readouts.bearing);
}

void OpenCommand::areaResized()
{
    if (!m_view)
        return;
    // The surface was made again at the new size: the whole view must be drawn again, and the
    // scroll range, the position in it and the readouts follow the new number of rows.
    ViewGeometry view = m_view->geometry();
    view.rows = m_form.DXDraw1->height();
    m_view->setGeometry(view);
    m_view->surfaceRemade();
    setScrollRange();
    m_form.state().requestRedraw(RedrawFull);
    updateReadouts();
    // The bar comes when the log no longer fits in the rows and goes when it fits again. Its
    // panel takes its width from the area or gives it back, at the same height, so the area
    // comes back here once more with the same rows and the bar stays as it is then.
    const bool scrolls = view.scrollBarShown();
    if (m_form.Panel10->isHidden() == scrolls) {
        m_form.Panel10->setVisible(scrolls);
        if (scrolls)
            m_form.ScrollBar4->setFocus();
    }
}

} // namespace kivo
