// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <optional>

namespace kivo {

class ImageFile;

// The depth of record n in thousandths of the log's unit; nullopt past the end of the file.
// Throws KivoError when the file cannot be read.
std::optional<qint32> recordDepth(ImageFile &file, qint64 n);

// The record whose depth is nearest to depth (thousandths of the unit), ties to the lower
// record number; nullopt for a file without records. The depths are taken as monotonic, either
// way, so that a search reads about log2(records) records whatever the file's size.
std::optional<qint64> recordNearestDepth(ImageFile &file, double depth);

} // namespace kivo
