// KIVO Log Viewer
#include "export/exportformat.h"

#include "display/imagerowmapper.h"

namespace kivo {

std::optional<ExportFormat> exportFormatOf(const QString &path, bool deflate)
{
    const QString name = path.toLower();
    if (name.endsWith(QLatin1String(".png")))
        return ExportFormat::Png;
    if (name.endsWith(QLatin1String(".tif")) || name.endsWith(QLatin1String(".tiff")))
        return deflate ? ExportFormat::TiffDeflate : ExportFormat::Tiff;
    return std::nullopt;
}

bool needsBigTiff(qint64 rows)
{
    // Room for the directory, the strip tables and compression that grows a file.
    constexpr qint64 ClassicLimit = (qint64(1) << 32) - (qint64(64) << 20);
    return rows > ClassicLimit / ImageRowMapper::RowBytes;
}

} // namespace kivo
