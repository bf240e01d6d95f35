// KIVO Log Viewer
#pragma once

#include "export/exportformat.h"
#include "export/imagerowsink.h"

#include <QString>

#include <vector>

class QFileDevice;
struct tiff;

namespace kivo {

// A 24-bit RGB TIFF file of 720 columns and a known number of rows, written by libtiff in
// strips of about a megabyte as the rows come: uncompressed, or deflate with the horizontal
// predictor; BigTIFF when the pixels need it (needsBigTiff). The device must be seekable.
// Throws KivoError when the device fails.
class TiffRowSink final : public ImageRowSink {
public:
    TiffRowSink(QFileDevice &device, qint64 rows, ExportFormat format);
    ~TiffRowSink() override;
    TiffRowSink(const TiffRowSink &) = delete;
    TiffRowSink &operator=(const TiffRowSink &) = delete;

    void writeRow(const uchar *rgb) override;
    void finish() override;

    // libtiff's error handler keeps the first error here.
    void setFailure(const QString &text);

private:
    [[noreturn]] void fail(const char *what);

    tiff *m_tiff = nullptr;
    quint32 m_row = 0;
    std::vector<uchar> m_copy; // the row handed to a predictor
    QString m_failure;
};

} // namespace kivo
