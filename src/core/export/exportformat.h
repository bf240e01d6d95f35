// KIVO Log Viewer
#pragma once

#include <QString>

#include <optional>

namespace kivo {

enum class ExportFormat {
    Png,
    Tiff,        // uncompressed
    TiffDeflate, // deflate with the horizontal predictor
};

// The format a file name asks for: ".png" PNG, ".tif" or ".tiff" uncompressed TIFF (deflate
// when asked for); nullopt for any other name.
std::optional<ExportFormat> exportFormatOf(const QString &path, bool deflate = false);

// Most PNG readers, libpng's own default among them, refuse an image of more rows.
constexpr qint64 MaxPngRows = 1000000;

// Whether an image of that many 720-pixel RGB rows needs BigTIFF: its pixels alone come near
// the 4 GiB that the 32-bit offsets of a classic TIFF file reach.
bool needsBigTiff(qint64 rows);

} // namespace kivo
