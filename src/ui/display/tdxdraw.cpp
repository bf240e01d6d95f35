// KIVO Log Viewer
#include "ui/display/tdxdraw.h"

#include "display/tcolor.h"

#include <QPainter>
#include <QWheelEvent>

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
    const QImage &picture = surface->image();
    const QPoint origin((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    if (picture.size() != size())
        painter.fillRect(rect(), QColor::fromRgb(colorToRgb(clBtnFace)));
    painter.drawImage(origin, picture);
    ++m_presentCount;
}

void TDXDraw::resizeEvent(QResizeEvent *)
{
    m_area.setSize(width(), height());
    emit resized();
}

void TDXDraw::wheelEvent(QWheelEvent *event)
{
    const int steps = m_wheelNotches.add(event->angleDelta().y());
    if (steps != 0)
        emit wheelTurned(steps);
    event->accept();
}

} // namespace kivo
