// KIVO Log Viewer
#pragma once

#include "display/colourmap.h"
#include "export/exportformat.h"

#include <QString>

#include <optional>

namespace kivo {

class ImageFile;
class JobProgress;
struct LogLayout;

// How records become rows: one row each, every k-th record (the shallowest first), or the
// average of each k records in turn (the last group may hold fewer).
enum class Decimation { None, Every, Average };

struct ExportRequest {
    double fromDepth = 0.0; // the depth unit of the log; either order
    double toDepth = 0.0;
    QString path;
    ExportFormat format = ExportFormat::Png;
    Decimation decimation = Decimation::None;
    int factor = 1; // k, 1 or more
    TColourMap colours;
};

// The rows an export of that many records writes.
qint64 exportRowCount(qint64 records, Decimation decimation, int factor);

// Writes the image of the records whose depths lie in the range: 720 columns (column j shows
// sample j * N div 720), one row per record or per decimation group, through the colour
// tables, the shallowest record on top, averages taken of the mapped values. The records are
// read and the rows encoded as they go: memory stays the same for any range. The file appears
// only when complete: it is written under a temporary name and renamed at the end, so that a
// cancelled or failed export leaves no file and an existing file of that name as it was.
// Returns the rows written, or nullopt when the progress asked to stop. Throws KivoError when
// no record lies in the range, the factor is below 1, the format cannot hold the image, or the
// data file cannot be read or the image file written.
std::optional<qint64> exportImage(ImageFile &file, const LogLayout &layout,
                                  const ExportRequest &request, JobProgress &progress);

} // namespace kivo
