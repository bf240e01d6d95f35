// KIVO Log Viewer
#include "ui/display/tdxdraw.h"

#include "display/tcolor.h"
#include "display/tdib.h"
#include "ui/common/messages.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <cstring>

namespace kivo {

TDXDraw::TDXDraw(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel is painted from the surface or the button face: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_area.setPresenter([this](const QImage &) { repaint(); });
    m_area.setScrollPresenter([this](const QImage &, int shift, const QRegion &changed) {
        presentScrolled(shift, changed);
    });
}

TDXDraw::~TDXDraw()
{
    m_area.Finalize();
}

namespace {

// The pixels a painter paints the rectangle `area` (in its own coordinates) into, as an image
// of the rectangle's size: when the painter paints into a 32-bit image (the window's backing
// store) one pixel to a pixel. Otherwise a null image.
QImage paintedPixels(QPainter &painter, const QRect &area)
{
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return QImage();
    auto *image = static_cast<QImage *>(device);
    const QTransform toDevice = painter.deviceTransform();
    const bool opaque32 = image->format() == QImage::Format_RGB32 ||
                          image->format() == QImage::Format_ARGB32 ||
                          image->format() == QImage::Format_ARGB32_Premultiplied;
    if (!opaque32 || !image->isDetached() || image->devicePixelRatio() != 1.0 ||
        toDevice.type() > QTransform::TxTranslate || toDevice.dx() != std::floor(toDevice.dx()) ||
        toDevice.dy() != std::floor(toDevice.dy()))
        return QImage();
    const QRect onDevice = area.translated(int(toDevice.dx()), int(toDevice.dy()));
    if (!image->rect().contains(onDevice))
        return QImage();
    uchar *first = image->bits() + onDevice.top() * image->bytesPerLine() + onDevice.left() * 4;
    return QImage(first, onDevice.width(), onDevice.height(), image->bytesPerLine(),
                  image->format());
}

} // namespace

void TDXDraw::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const TDirectDrawSurface *surface = m_area.Surface();
    if (!m_area.IsReady() || !surface) {
        painter.fillRect(rect(), QColor::fromRgb(colorToRgb(clBtnFace)));
        return;
    }
    const QImage &surfacePicture = surface->image();
    const QPoint origin((width() - surfacePicture.width()) / 2,
                        (height() - surfacePicture.height()) / 2);
    // Only the parts asked for are copied and painted: a line step asks for a few rows.
    const QRegion region = event->region().translated(-origin) & surfacePicture.rect();
    if (surfacePicture.size() != size())
        painter.fillRect(rect(), QColor::fromRgb(colorToRgb(clBtnFace)));
    ++m_presentCount;
    if (m_overlay) {
        // The overlay is drawn where the picture is painted, once it is there; where those
        // pixels cannot be reached, over a copy of the picture's parts, which is then painted.
        QImage painted = paintedPixels(painter, QRect(origin, surfacePicture.size()));
        if (!painted.isNull()) {
            for (const QRect &part : region)
                painter.drawImage(part.topLeft() + origin, surfacePicture, part);
            m_overlayDrawn = m_overlay(painted, region);
            return;
        }
        if (m_frame.size() != surfacePicture.size() || m_frame.format() != surfacePicture.format())
            m_frame = QImage(surfacePicture.size(), surfacePicture.format());
        const size_t pixel = sizeof(quint32);
        for (const QRect &part : region) {
            for (int y = part.top(); y <= part.bottom(); ++y)
                std::memcpy(m_frame.scanLine(y) + part.left() * pixel,
                            surfacePicture.constScanLine(y) + part.left() * pixel,
                            size_t(part.width()) * pixel);
        }
        m_overlayDrawn = m_overlay(m_frame, region);
        for (const QRect &part : region)
            painter.drawImage(part.topLeft() + origin, m_frame, part);
        return;
    }
    for (const QRect &part : region)
        painter.drawImage(part.topLeft() + origin, surfacePicture, part);
}

QRegion TDXDraw::rowsOf(const QRect &rect) const
{
    return rect.isEmpty() ? QRegion() : QRegion(0, rect.top(), width(), rect.height());
}

void TDXDraw::presentScrolled(int shift, const QRegion &changed)
{
    const TDirectDrawSurface *surface = m_area.Surface();
    // Where the picture does not fill the area, all of it.
    if (!surface || surface->image().size() != size()) {
        repaint();
        return;
    }
    const QRect before = m_overlayDrawn;
    if (shift != 0)
        scroll(0, shift);
    // The overlay's pixels moved with the picture, but they are drawn at the new rows' depths
    // and clipped at the view's edges: its rows of the last frame, moved, are painted again,
    // then its rows of the new frame where those differ.
    const QRegion first = changed + rowsOf(before.translated(0, shift));
    repaint(first);
    const QRegion missed = rowsOf(m_overlayDrawn) - first;
    if (!missed.isEmpty())
        repaint(missed);
}

void TDXDraw::setOverlay(Overlay overlay)
{
    m_overlay = std::move(overlay);
    m_overlayDrawn = QRect();
    update();
}

void TDXDraw::overlayOnto(TDIB &capture) const
{
    if (!m_overlay || capture.isEmpty())
        return;
    QImage picture = capture.toImage().convertToFormat(QImage::Format_RGB32);
    m_overlay(picture, picture.rect());
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
