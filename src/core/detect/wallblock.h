// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <vector>

namespace kivo {

class ImageFile;

// A run of consecutive records as the detector sees them: the luminance of each record at one
// degree of azimuth (column c covers azimuths c to c + 1, its centre c + 0.5), stored column by
// column so that the filters along the hole run over contiguous memory, and each record's depth.
struct WallBlock {
    static constexpr int Columns = 360;

    qint64 firstRecord = 0;
    int rows = 0;
    std::vector<float> luminance; // [column * rows + row], 0..255
    std::vector<double> depths;   // log unit, one a row

    const float *column(int c) const { return luminance.data() + size_t(c) * size_t(rows); }
    // The depth at a fractional row, interpolated between the records' depths.
    double depthAt(double row) const;
};

// Reads records first .. first + count - 1 (those the file holds) of a file of samplesPerLine
// samples a record. Throws KivoError when the file cannot be read.
WallBlock readWallBlock(ImageFile &file, int samplesPerLine, qint64 first, qint64 count);

} // namespace kivo
