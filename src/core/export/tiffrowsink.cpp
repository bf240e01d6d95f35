// KIVO Log Viewer
#include "export/tiffrowsink.h"

#include "display/imagerowmapper.h"
#include "kivoerror.h"

#include <QFileDevice>

#include <tiffio.h>

#include <algorithm>
#include <cstdio>

namespace kivo {

namespace {

constexpr qint64 StripBytes = 1 << 20;

QFileDevice &deviceOf(thandle_t handle)
{
    return *static_cast<QFileDevice *>(handle);
}

tmsize_t onRead(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(deviceOf(handle).read(static_cast<char *>(data), qint64(size)));
}

tmsize_t onWrite(thandle_t handle, void *data, tmsize_t size)
{
    return tmsize_t(deviceOf(handle).write(static_cast<const char *>(data), qint64(size)));
}

toff_t onSeek(thandle_t handle, toff_t offset, int whence)
{
    QFileDevice &device = deviceOf(handle);
    qint64 target = qint64(offset);
    if (whence == SEEK_CUR)
        target += device.pos();
    else if (whence == SEEK_END)
        target += device.size();
    return device.seek(target) ? toff_t(target) : toff_t(-1);
}

int onClose(thandle_t)
{
    return 0; // the device belongs to the caller
}

toff_t onSize(thandle_t handle)
{
    return toff_t(deviceOf(handle).size());
}

int onMap(thandle_t, void **, toff_t *)
{
    return 0;
}

void onUnmap(thandle_t, void *, toff_t) {}

int onError(TIFF *, void *sink, const char *, const char *format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    static_cast<TiffRowSink *>(sink)->setFailure(QString::fromUtf8(text));
    return 1; // handled: nothing reaches stderr
}

int onWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

} // namespace

TiffRowSink::TiffRowSink(QFileDevice &device, qint64 rows, ExportFormat format)
{
    if (rows < 1 || rows > qint64(UINT32_MAX))
        throw KivoError(QStringLiteral("A TIFF file holds 1 to %1 rows, and this image has %2.")
                            .arg(UINT32_MAX)
                            .arg(rows));
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, onError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, onWarning, this);
    m_tiff = TIFFClientOpenExt("export", needsBigTiff(rows) ? "w8" : "w", &device, onRead, onWrite,
                               onSeek, onClose, onSize, onMap, onUnmap, options);
    TIFFOpenOptionsFree(options);
    if (!m_tiff)
        fail("cannot be started");
    const bool deflate = format == ExportFormat::TiffDeflate;
    if (deflate)
        m_copy.resize(ImageRowMapper::RowBytes);
    const bool tagsSet =
        TIFFSetField(m_tiff, TIFFTAG_IMAGEWIDTH, quint32(ImageRowMapper::Columns)) &&
        TIFFSetField(m_tiff, TIFFTAG_IMAGELENGTH, quint32(rows)) &&
        TIFFSetField(m_tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
        TIFFSetField(m_tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
        TIFFSetField(m_tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
        TIFFSetField(m_tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
        TIFFSetField(m_tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
        TIFFSetField(m_tiff, TIFFTAG_ROWSPERSTRIP,
                     quint32(qMax<qint64>(1, StripBytes / ImageRowMapper::RowBytes))) &&
        TIFFSetField(m_tiff, TIFFTAG_COMPRESSION,
                     deflate ? COMPRESSION_ADOBE_DEFLATE : COMPRESSION_NONE) &&
        (!deflate || TIFFSetField(m_tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL)) &&
        TIFFSetField(m_tiff, TIFFTAG_SOFTWARE, "KIVO Log Viewer");
    if (!tagsSet) {
        TIFFCleanup(m_tiff);
        m_tiff = nullptr;
        fail("cannot be set up");
    }
}

TiffRowSink::~TiffRowSink()
{
    // Cleaning up frees the writer without writing the directory of an unfinished file.
    if (m_tiff)
        TIFFCleanup(m_tiff);
}

void TiffRowSink::setFailure(const QString &text)
{
    if (m_failure.isEmpty())
        m_failure = text;
}

void TiffRowSink::fail(const char *what)
{
    throw KivoError(
        QStringLiteral("The TIFF file %1: %2.")
            .arg(QString::fromLatin1(what),
                 m_failure.isEmpty() ? QStringLiteral("the file cannot be written") : m_failure));
}

void TiffRowSink::writeRow(const uchar *rgb)
{
    // libtiff's predictor works on the row in place: it gets a copy.
    uchar *row = const_cast<uchar *>(rgb);
    if (!m_copy.empty()) {
        std::copy(rgb, rgb + m_copy.size(), m_copy.begin());
        row = m_copy.data();
    }
    if (TIFFWriteScanline(m_tiff, row, m_row++, 0) != 1)
        fail("cannot be written");
}

void TiffRowSink::finish()
{
    const bool flushed = TIFFFlush(m_tiff) == 1;
    TIFFCleanup(m_tiff);
    m_tiff = nullptr;
    if (!flushed)
        fail("cannot be completed");
}

} // namespace kivo
