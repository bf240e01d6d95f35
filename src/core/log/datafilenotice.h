// KIVO Log Viewer
#pragma once

#include <QString>
#include <QtGlobal>

namespace kivo {

// What a user should know about a data file that opens but is not a whole number of records
// (a text file renamed .bhx, a transfer cut short), or holds none: "LOG.BHX: 3761 bytes,
// 1 whole record, 1589 bytes past the last record ignored", "LOG.BHX: no records". Empty for a
// file of whole records. recordSize is positive.
QString dataFileNotice(const QString &name, qint64 fileSize, qint64 recordSize);

} // namespace kivo
