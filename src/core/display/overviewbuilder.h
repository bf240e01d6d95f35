// KIVO Log Viewer
#pragma once

#include "display/channelhistograms.h"

#include <QImage>

#include <optional>

namespace kivo {

class ImageFile;
class JobProgress;

// The whole log squeezed to a number of rows, and its samples' histograms.
struct Overview {
    qint64 recordCount = 0; // records read
    // One row per run of records in file order, one pixel per sample: each channel the rounded
    // mean of the run's samples. rows() = min(rows asked for, records).
    QImage image;
    ChannelHistograms histograms; // of every sample of every record

    int rows() const { return image.height(); }
    // The first record of row r (r = rows() gives recordCount): rows cover equal shares.
    qint64 firstRecordOfRow(int row) const;
};

// The first record of row r when count records are spread over rows rows.
qint64 firstRecordOfRow(qint64 count, int rows, int row);

// Reads every record of the file from the start, in big sequential blocks, and builds the
// overview of rows rows. Returns nullopt when the progress asks to stop. Throws KivoError when
// the file cannot be read.
std::optional<Overview> buildOverview(ImageFile &file, int samplesPerLine, int rows,
                                      JobProgress &progress);

} // namespace kivo
