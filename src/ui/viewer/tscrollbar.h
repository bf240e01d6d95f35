// KIVO Log Viewer
#pragma once

#include "shell/wheelnotches.h"

#include <QScrollBar>

namespace kivo {

// The viewer's scroll bar: reports each user action as a scroll code before the bar takes the
// action's new position, and a closing code once the action is over, the way the viewer's
// redraw requests expect them.
class TScrollBar : public QScrollBar {
    Q_OBJECT

public:
    enum ScrollCode {
        scLineUp = 0,
        scLineDown = 1,
        scPageUp = 2,
        scPageDown = 3,
        scPosition = 4, // the thumb was released at a position
        scTrack = 5,    // the thumb is being dragged
        scTop = 6,
        scBottom = 7,
        scEndScroll = 8, // the action is over
    };

    explicit TScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // One line step per notch, as over the image; then the closing code.
    void scrollByWheel(int steps);

signals:
    // value() is still the position before the action while this is emitted (codes 0 to 7).
    void scrolled(int code);

protected:
    // A new value paints again only the part of the bar the thumb leaves and the part it
    // covers, instead of the whole bar with every step.
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void actionToCode(int action);
    QRect thumbRect() const;

    WheelNotches m_wheelNotches;
    QRect m_thumbPainted; // where the last paint drew the thumb
};

} // namespace kivo
