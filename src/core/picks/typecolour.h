// KIVO Log Viewer
#pragma once

#include <QColor>
#include <QString>

namespace kivo {

// The colour a pick of a type is drawn in, on the image and on the plots: one for each offered
// type, and one for any other text.
QColor pickTypeColour(const QString &type);
// The colour of the detector's candidates, apart from every type's.
QColor candidateColour();

} // namespace kivo
