// KIVO Log Viewer
#pragma once

#include "plots/plotpick.h"
#include "plots/rose.h"

#include <QPainter>
#include <QRectF>

#include <vector>

namespace kivo {

struct RoseOptions {
    RoseMode mode = RoseMode::Strikes;
    double binWidth = 10.0;
};

// The rose diagram: one petal for each bin, its radius proportional to the square root of the
// bin's count (so that its area is proportional to the count), the largest reaching the circle.
void drawRose(QPainter &painter, const QRectF &area, const std::vector<PlotPick> &picks,
              const RoseOptions &options);

} // namespace kivo
