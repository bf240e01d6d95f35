// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// An image file written one row at a time from the top, each row ImageRowMapper::RowBytes bytes
// of RGB. The writers hold a few rows at most; errors are KivoError.
class ImageRowSink {
public:
    virtual ~ImageRowSink() = default;
    virtual void writeRow(const uchar *rgb) = 0;
    // After the last row: completes the file's structure.
    virtual void finish() = 0;
};

} // namespace kivo
