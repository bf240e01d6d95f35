// KIVO Log Viewer
#include "ui/viewer/tscrollbar.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace kivo {

TScrollBar::TScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    connect(this, &QAbstractSlider::actionTriggered, this, &TScrollBar::actionToCode);
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { emit scrolled(scPosition); });
}

void TScrollBar::actionToCode(int action)
{
    switch (action) {
    case SliderSingleStepSub:
        emit scrolled(scLineUp);
        break;
    case SliderSingleStepAdd:
        emit scrolled(scLineDown);
        break;
    case SliderPageStepSub:
        emit scrolled(scPageUp);
        break;
    case SliderPageStepAdd:
        emit scrolled(scPageDown);
        break;
    case SliderToMinimum:
        emit scrolled(scTop);
        break;
    case SliderToMaximum:
        emit scrolled(scBottom);
        break;
    case SliderMove:
        emit scrolled(scTrack);
        break;
    default:
        break;
    }
}

QRect TScrollBar::thumbRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void TScrollBar::sliderChange(SliderChange change)
{
    if (change != SliderValueChange || m_thumbPainted.isNull()) {
        QScrollBar::sliderChange(change);
        return;
    }
    update(m_thumbPainted | thumbRect());
}

void TScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    m_thumbPainted = thumbRect();
}

void TScrollBar::scrollByWheel(int steps)
{
    const SliderAction action = steps < 0 ? SliderSingleStepAdd : SliderSingleStepSub;
    for (int i = 0; i < qAbs(steps); ++i)
        triggerAction(action);
    emit scrolled(scEndScroll);
}

void TScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    QScrollBar::mouseReleaseEvent(event);
    emit scrolled(scEndScroll);
}

void TScrollBar::keyPressEvent(QKeyEvent *event)
{
    const int before = value();
    QScrollBar::keyPressEvent(event);
    if (event->isAccepted() || value() != before)
        emit scrolled(scEndScroll);
}

void TScrollBar::wheelEvent(QWheelEvent *event)
{
    // Qt's own wheel handling moves the thumb by several lines at once as a drag; the viewer
    // treats a notch as a line step, over the bar as over the image.
    const int steps = m_wheelNotches.add(event->angleDelta().y());
    if (steps != 0)
        scrollByWheel(steps);
    event->accept();
}

void TScrollBar::contextMenuEvent(QContextMenuEvent *event)
{
    QScrollBar::contextMenuEvent(event);
    emit scrolled(scEndScroll);
}

} // namespace kivo
