// KIVO Log Viewer
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>

class QPainter;
class QPaintDevice;

namespace kivo {

// A device-independent bitmap of 24 bits per pixel, the target of surface captures for Copy and
// Print Screen. Its rows are 3 bytes a pixel in blue, green, red order, each padded to
// rowLength() = ((24 * width + 31) div 32) * 4 bytes; written out they go bottom row first
// behind a 40-byte BITMAPINFOHEADER (planes 1, 24 bits, no compression, image size
// rowLength() * height, the other fields 0) and no colour table.
//
// The pixels are held top row first in a QImage of Format_BGR888, whose rows are byte for byte
// the bitmap's rows, so that QPainter can draw on it and the rows need no conversion.
// The header's size fields are 32 bits: a bitmap whose packed form would pass 2^31 - 1 bytes
// is refused.
class TDIB {
public:
    // An empty bitmap, 0 x 0.
    TDIB() = default;
    // A copy of the image's pixels (alpha dropped). A null image gives an empty bitmap; throws
    // KivoError when the bitmap cannot be made.
    static TDIB fromImage(const QImage &image);

    // Makes the bitmap width x height, every byte 0 (black). Throws KivoError for a negative
    // or too large size, or when the memory cannot be had, and then leaves the bitmap as it was.
    void setSize(int width, int height);

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    bool isEmpty() const { return m_image.isNull(); }
    // Bytes per stored row, padding included.
    int rowLength() const;

    // Pixel access, (0, 0) the top-left; outside the bitmap a read gives 0 and a write is
    // ignored.
    QRgb pixel(int x, int y) const;
    void setPixel(int x, int y, QRgb rgb);
    // The bitmap's canvas: a QPainter on it clips to the whole bitmap. Keeps the size and format.
    QPaintDevice *paintDevice() { return &m_image; }

    // The packed bitmap: the header immediately followed by the rows, bottom row first; exactly
    // the bytes of a clipboard CF_DIB item, 40 + rowLength() * height().
    QByteArray packedDib() const;
    // A .bmp file: the 14-byte file header ("BM", file size, pixels at offset 54), then
    // packedDib().
    QByteArray bmpFile() const;
    // Writes bmpFile() to path atomically; throws KivoError when the file cannot be written.
    void saveBmp(const QString &path) const;
    // The pixels as an image (Format_BGR888), e.g. for writing a PNG.
    QImage toImage() const { return m_image; }

    // Draws the whole bitmap into rect of the painter's device, width and height scaled
    // independently by dropping or repeating columns and rows (nearest pixel), never blending.
    // An empty bitmap or rectangle draws nothing.
    void StretchDraw(QPainter &painter, const QRect &rect) const;

private:
    QImage m_image;
};

} // namespace kivo
