// KIVO Log Viewer
#pragma once

#include "plots/density.h"
#include "plots/plotpick.h"
#include "plots/projection.h"

#include <QPainter>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

namespace kivo {

struct StereonetOptions {
    bool greatCircles = false; // the planes' traces instead of their poles
    bool contours = false;
    DensityMethod method = DensityMethod::Kamb;
    bool weighted = true;   // Terzaghi weighting of the density
    bool graticule = false; // an equal-area net every 10 degrees
};

// Where the net falls in an area: the primitive circle centred, a margin for N E S W.
struct NetLayout {
    QPointF centre;
    double radius = 1.0;

    explicit NetLayout(const QRectF &area);
    QPointF toPixel(const NetPoint &point) const;
};

void drawStereonet(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
                   const StereonetOptions &options);
// The pick whose pole (or, with great circles, whose trace) is nearest a point, within a few
// pixels.
std::optional<PickId> stereonetPickAt(const QRectF &area, const std::vector<PlotPick> &picks,
                                      const StereonetOptions &options, const QPointF &point);

} // namespace kivo
