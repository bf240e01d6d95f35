// KIVO Log Viewer
#include "export/pngrowsink.h"

#include "display/imagerowmapper.h"
#include "export/exportformat.h"
#include "kivoerror.h"

#include <QIODevice>

#include <png.h>

namespace kivo {

namespace {

PngRowSink &sinkOf(png_structp png)
{
    return *static_cast<PngRowSink *>(png_get_io_ptr(png));
}

// libpng reports errors by calling this, which must not return: it jumps back to the setjmp of
// the sink's call that is running, which then throws.
[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    if (auto *sink = static_cast<PngRowSink *>(png_get_error_ptr(png)))
        sink->setFailure(QString::fromUtf8(message));
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onWrite(png_structp png, png_bytep data, size_t length)
{
    QIODevice &device = sinkOf(png).device();
    if (device.write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length))
        png_error(png, device.errorString().toUtf8().constData());
}

void onFlush(png_structp) {}

} // namespace

PngRowSink::PngRowSink(QIODevice &device, qint64 rows)
    : m_device(device)
{
    if (rows < 1 || rows > MaxPngRows)
        throw KivoError(QStringLiteral("A PNG file holds 1 to %1 rows, and this image has %2: "
                                       "export it to a TIFF file.")
                            .arg(MaxPngRows)
                            .arg(rows));
    m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
    m_info = m_png ? png_create_info_struct(m_png) : nullptr;
    if (!m_info) {
        png_destroy_write_struct(&m_png, &m_info);
        throw KivoError(QStringLiteral("There is not enough memory to write a PNG file."));
    }
    // The destructor does not run for a constructor that throws.
    if (setjmp(png_jmpbuf(m_png))) {
        png_destroy_write_struct(&m_png, &m_info);
        fail();
    }
    png_set_write_fn(m_png, this, onWrite, onFlush);
    // Fast compression: the exports are large and the PNG is for the smaller ones.
    png_set_compression_level(m_png, 3);
    png_set_IHDR(m_png, m_info, ImageRowMapper::Columns, png_uint_32(rows), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(m_png, m_info);
}

PngRowSink::~PngRowSink()
{
    png_destroy_write_struct(&m_png, &m_info);
}

void PngRowSink::fail()
{
    throw KivoError(QStringLiteral("The PNG file cannot be written: %1.").arg(m_failure));
}

void PngRowSink::writeRow(const uchar *rgb)
{
    if (setjmp(png_jmpbuf(m_png)))
        fail();
    png_write_row(m_png, rgb);
}

void PngRowSink::finish()
{
    if (setjmp(png_jmpbuf(m_png)))
        fail();
    png_write_end(m_png, m_info);
}

} // namespace kivo
