// KIVO Log Viewer
#pragma once

#include "export/imagerowsink.h"

#include <QString>

class QIODevice;
struct png_struct_def;
struct png_info_def;

namespace kivo {

// A 24-bit PNG file of 720 columns and a known number of rows, encoded by libpng as the rows
// come. Throws KivoError for more than MaxPngRows rows and when the device fails.
class PngRowSink final : public ImageRowSink {
public:
    PngRowSink(QIODevice &device, qint64 rows);
    ~PngRowSink() override;
    PngRowSink(const PngRowSink &) = delete;
    PngRowSink &operator=(const PngRowSink &) = delete;

    void writeRow(const uchar *rgb) override;
    void finish() override;

    // libpng's callbacks reach the sink through these.
    QIODevice &device() { return m_device; }
    void setFailure(const QString &text) { m_failure = text; }

private:
    [[noreturn]] void fail();

    QIODevice &m_device;
    png_struct_def *m_png = nullptr;
    png_info_def *m_info = nullptr;
    QString m_failure;
};

} // namespace kivo
