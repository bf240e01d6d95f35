// KIVO Log Viewer
#include "display/surface.h"

#include "display/blockcopy.h"
#include "display/tdib.h"
#include "kivoerror.h"

namespace kivo {

namespace {

// No display area comes near this (a 16384 x 16384 picture); it keeps a mistaken size from
// taking all the memory there is.
constexpr qint64 maxSurfacePixels = qint64(1) << 28;
constexpr QRgb newSurfaceColour = 0xFF000000;

[[noreturn]] void failToMake()
{
    throw KivoError(QStringLiteral("%1 cannot be made").arg(QStringLiteral("Surface")));
}

QImage makeImage(int width, int height)
{
    if (width < 1 || height < 1 || qint64(width) * height > maxSurfacePixels)
        failToMake();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        failToMake();
    image.fill(newSurfaceColour);
    return image;
}

} // namespace

TDirectDrawSurface::TDirectDrawSurface() = default;

TDirectDrawSurface::TDirectDrawSurface(int width, int height)
    : m_image(makeImage(width, height))
{}

TDirectDrawSurface::~TDirectDrawSurface() = default;

TDirectDrawSurfaceCanvas &TDirectDrawSurface::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
    return *m_canvas;
}

quint32 *TDirectDrawSurface::runBits()
{
    // The non-const bits() detaches the image from a copy a presenter may still hold, so
    // writes never show in that copy.
    if (!m_runBits)
        m_runBits = reinterpret_cast<quint32 *>(m_image.bits());
    return m_runBits;
}

quint32 *TDirectDrawSurface::scanLine(int y)
{
    if (y < 0 || y >= Height())
        return nullptr;
    return runBits() + y * stride();
}

void TDirectDrawSurface::Draw(int X, int Y, const TRect &srcRect, const TDirectDrawSurface &source)
{
    const auto block = clipBlock(srcRect, source.m_image.size(), X, Y, m_image.size());
    if (!block)
        return;
    quint32 *dest = runBits();
    const quint32 *from =
        &source == this ? dest : reinterpret_cast<const quint32 *>(source.m_image.constBits());
    copyBlock(dest, stride(), from, source.stride(), *block);
}

void TDirectDrawSurface::CaptureTo(TDIB &bitmap)
{
    bitmap = TDIB::fromImage(m_image);
    endRun();
}

void TDirectDrawSurface::replaceImage(QImage image)
{
    endRun();
    m_image = std::move(image);
}

void TDirectDrawSurface::resize(int width, int height)
{
    replaceImage(makeImage(width, height));
}

void TDirectDrawSurface::loadFromBitmap(const TDIB &bitmap)
{
    if (bitmap.isEmpty() || qint64(bitmap.width()) * bitmap.height() > maxSurfacePixels)
        failToMake();
    QImage image = bitmap.toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        failToMake();
    replaceImage(std::move(image));
}

} // namespace kivo
