// KIVO Log Viewer
#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

// The types offered for a pick, in the order offered. A picks file may hold any other text.
const QStringList &pickTypes();

// The type's number in exports: 1 for the first offered type and on; a type that is not
// offered (compared case-insensitively) gets 0.
int pickTypeCode(const QString &type);

} // namespace kivo
