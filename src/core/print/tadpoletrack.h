// KIVO Log Viewer
#pragma once

#include <QColor>
#include <QRectF>

#include <vector>

class QPainter;

namespace kivo {

// One pick on a tadpole track: where its depth falls and which way its plane dips.
struct Tadpole {
    double y = 0.0;       // on the page
    double dip = 0.0;     // degrees, 0 to 90
    double azimuth = 0.0; // of the dip, degrees clockwise from North
    QColor colour;
    bool trueDip = true; // false: the apparent dip, drawn hollow
};

// A tadpole track in the rectangle: dip 0 at its left edge to 90 at its right, a thin line
// at every 30 degrees and their values above the track, and each tadpole a dot at its dip and
// depth with a tail toward its dip azimuth, North up the page.
void drawTadpoleTrack(QPainter &painter, const QRectF &track, const std::vector<Tadpole> &tadpoles);

} // namespace kivo
