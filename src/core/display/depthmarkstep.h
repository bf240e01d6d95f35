// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// The depth between two depth marks of the margin, in thousandths of the unit: a tenth of a unit
// or coarser (0.2, 0.5, 1, 2, 5, ...), the finest step whose marks stand at least labelRows rows
// apart at the zoom, or as far apart as tenths stand at zoom 1 where that is less (so that zoom
// 1 always marks every tenth). recordSpacing is the depth between two records (thousandths, any
// sign); without one (a view of one record) the step is a tenth.
qint32 depthMarkStep(int zoom, double recordSpacing, int labelRows);

} // namespace kivo
