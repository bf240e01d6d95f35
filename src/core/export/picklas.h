// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"
#include "picks/pick.h"

#include <QByteArray>
#include <QList>

namespace kivo {

// The picks as a LAS 2.0 file, one line per pick in depth order: ~V (VERS 2.0, WRAP NO),
// ~W (STRT, STOP, STEP 0 for irregular depths, NULL -999.25, the well's names from the header),
// ~C (DEPT, DIP and AZI true, ADIP and AAZI apparent, HDEV, HAZI, AMPL, DIAM, TYPE), ~O (the
// legend of the TYPE numbers) and ~A, numbers only, undefined values as the NULL value.
// values holds one entry for each pick, in the same order.
QByteArray writePicksLas(const QList<Pick> &picks, const QList<PickValues> &values,
                         const uniheader &header, bool feet);

} // namespace kivo
