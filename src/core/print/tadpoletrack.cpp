// KIVO Log Viewer
#include "print/tadpoletrack.h"

#include "plots/tadpoletrack.h"

#include <QFontMetricsF>
#include <QPainter>

namespace kivo {

namespace {

constexpr double HeadRadius = 3.0;
constexpr double TailLength = 12.0;

} // namespace

void drawTadpoleTrack(QPainter &painter, const QRectF &track, const std::vector<Tadpole> &tadpoles)
{
    painter.save();
    const double textHeight = QFontMetricsF(painter.font(), painter.device()).height();
    painter.setPen(QPen(Qt::lightGray, 0));
    for (int dip = 0; dip <= 90; dip += 30) {
        const double x = track.left() + track.width() * dip / 90.0;
        painter.drawLine(QLineF(x, track.top(), x, track.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 20, track.top() - textHeight, 40, textHeight),
                         Qt::AlignHCenter | Qt::AlignBottom, QString::number(dip));
        painter.setPen(QPen(Qt::lightGray, 0));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Tadpole &tadpole : tadpoles) {
        const QPointF head(track.left() + track.width() * qBound(0.0, tadpole.dip, 90.0) / 90.0,
                           tadpole.y);
        painter.setPen(QPen(tadpole.colour, 1.2));
        painter.drawLine(QLineF(head, tadpoleTail(head, tadpole.azimuth, HeadRadius + TailLength)));
        painter.setBrush(tadpole.trueDip ? QBrush(tadpole.colour) : QBrush(Qt::white));
        painter.drawEllipse(head, HeadRadius, HeadRadius);
    }
    painter.restore();
}

} // namespace kivo
