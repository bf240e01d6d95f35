// KIVO Log Viewer
#include "ui/display/tdxdraw.h"

#include "display/tcolor.h"
#include "display/tdib.h"
#include "ui/common/messages.h"

#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <cstring>

namespace kivo {

TDXDraw::TDXDraw(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel is painted from the surface or the button face: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_area.setPresenter([this](const QImage &) { repaint(); });
}

TDXDraw::~TDXDraw()
{
    m_area.Finalize();
}

void TDXDraw::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TDirectDrawSurface *surface = m_area.Surface();
    if (!m_area.IsReady() || !surface) {
        painter.fillRect(rect(), QColor::fromRgb(colorToRgb(clBtnFace)));
        return;
    }
    const QImage &surfacePicture = surface->image();
    const QImage *picture = &surfacePicture;
    if (m_overlay) {
        if (m_frame.size() != surfacePicture.size() || m_frame.format() != surfacePicture.format())
            m_frame = QImage(surfacePicture.size(), surfacePicture.format());
        for (int y = 0; y < m_frame.height(); ++y)
            std::memcpy(m_frame.scanLine(y), surfacePicture.constScanLine(y),
                        size_t(m_frame.bytesPerLine()));
        m_overlay(m_frame);
        picture = &m_frame;
    }
    const QPoint origin((width() - picture->width()) / 2, (height() - picture->height()) / 2);
    if (picture->size() != size())
        painter.fillRect(rect(), QColor::fromRgb(colorToRgb(clBtnFace)));
    painter.drawImage(origin, *picture);
    ++m_presentCount;
}

void TDXDraw::setOverlay(Overlay overlay)
{
    m_overlay = std::move(overlay);
    update();
}

void TDXDraw::overlayOnto(TDIB &capture) const
{
    if (!m_overlay || capture.isEmpty())
        return;
    QImage picture = capture.toImage().convertToFormat(QImage::Format_RGB32);
    m_overlay(picture);
    capture = TDIB::fromImage(picture);
}

void TDXDraw::resizeEvent(QResizeEvent *)
{
    if (m_area.setSize(width(), height())) {
        emit resized();
        return;
    }
    // The surface keeps its size and picture, and the view drawn on it stays as it was (shown
    // centred). The user is told once the resize is over: a box shown from inside it would
    // run while the window system goes on resizing.
    if (m_sizeRefusalPending)
        return;
    m_sizeRefusalPending = true;
    QTimer::singleShot(0, this, &TDXDraw::reportRefusedSize);
}

void TDXDraw::reportRefusedSize()
{
    m_sizeRefusalPending = false;
    const TDirectDrawSurface *surface = m_area.Surface();
    if (!surface || (surface->Width() == m_area.width() && surface->Height() == m_area.height()))
        return; // closed, or made at a later size meanwhile
    showErrorReport(window(), QStringLiteral("Surface cannot be made at %1 x %2 pixels; the view "
                                             "keeps its size of %3 x %4 pixels")
                                  .arg(m_area.width())
                                  .arg(m_area.height())
                                  .arg(surface->Width())
                                  .arg(surface->Height()));
}

void TDXDraw::wheelEvent(QWheelEvent *event)
{
    const int steps = m_wheelNotches.add(event->angleDelta().y());
    if (steps != 0 && event->modifiers().testFlag(Qt::ControlModifier)) {
        // The surface is shown centred where the sizes differ.
        const int top = m_area.Surface() ? (height() - m_area.Surface()->Height()) / 2 : 0;
        emit zoomWheelTurned(steps, int(event->position().y()) - top);
    } else if (steps != 0) {
        emit wheelTurned(steps);
    }
    event->accept();
}

} // namespace kivo
