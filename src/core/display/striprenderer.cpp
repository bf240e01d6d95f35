// KIVO Log Viewer
#include "display/striprenderer.h"

#include "display/surface.h"
#include "log/readouts.h"
#include "log/timageline.h"

#include <QtEndian>

#include <cstring>

namespace kivo {

StripRenderer::StripRenderer(int samplesPerLine, QString unitSuffix, QLocale locale)
    : m_samples(samplesPerLine)
    , m_unitSuffix(std::move(unitSuffix))
    , m_locale(std::move(locale))
    , m_sampleOfColumn(ImageColumns)
{
    Q_ASSERT(samplesPerLine > 0);
    for (int j = 0; j < ImageColumns; ++j)
        m_sampleOfColumn[size_t(j)] = int(qint64(j) * samplesPerLine / ImageColumns) * 3;
    setColourMap(TColourMap{});
}

void StripRenderer::PrepareSurfaceA(TDirectDrawSurface &surface)
{
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.Pen.Color = clBlack;
    canvas.Font.Color = clBlack;
    canvas.FillRect(surface.ClientRect());
    canvas.Font.Name = QStringLiteral("MS LineDraw");
}

void StripRenderer::PrepareSurfaceB(TDirectDrawSurface &surface)
{
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Pen.Color = clWhite;
    for (int y = 0; y < surface.Height(); ++y) {
        canvas.MoveTo(0, y);
        canvas.LineTo(ImageLeft, y);
    }
    canvas.ReleaseCanvas();
}

void StripRenderer::setColourMap(const TColourMap &map)
{
    for (size_t i = 0; i < 256; ++i) {
        m_red[i] = 0xFF000000u | quint32(map.RedTable[i] & 0xFF) << 16;
        m_green[i] = quint32(map.GreenTable[i] & 0xFF00);
        m_blue[i] = quint32(map.BlueTable[i] >> 16) & 0xFF;
    }
    m_neutral = true;
    for (quint32 i = 0; i < 256; ++i)
        m_neutral =
            m_neutral && (m_red[i] | m_green[i] | m_blue[i]) == (0xFF000000u | i * 0x010101u);
}

quint32 StripRenderer::pixelOf(const uchar *sample) const
{
    return m_red[sample[0]] | m_green[sample[1]] | m_blue[sample[2]];
}

void StripRenderer::drawAllSamples(quint32 *out, const uchar *samples, int columns) const
{
    if (m_neutral) {
        drawUnmappedSamples(out, samples, columns);
        return;
    }
    // Four samples are twelve bytes: two loads instead of twelve, the bytes taken out of the
    // registers. The loads read only the four samples.
    int j = 0;
    for (; j + 4 <= columns; j += 4, samples += 12) {
        quint64 a;
        quint32 b;
        std::memcpy(&a, samples, sizeof a);
        std::memcpy(&b, samples + 8, sizeof b);
        a = qFromLittleEndian(a);
        b = qFromLittleEndian(b);
        out[j] = m_red[a & 0xFF] | m_green[(a >> 8) & 0xFF] | m_blue[(a >> 16) & 0xFF];
        out[j + 1] = m_red[(a >> 24) & 0xFF] | m_green[(a >> 32) & 0xFF] | m_blue[(a >> 40) & 0xFF];
        out[j + 2] = m_red[(a >> 48) & 0xFF] | m_green[a >> 56] | m_blue[b & 0xFF];
        out[j + 3] = m_red[(b >> 8) & 0xFF] | m_green[(b >> 16) & 0xFF] | m_blue[b >> 24];
    }
    for (; j < columns; ++j, samples += 3)
        out[j] = pixelOf(samples);
}

void StripRenderer::drawUnmappedSamples(quint32 *out, const uchar *samples, int columns) const
{
    // With tables that change nothing a pixel is its sample's three bytes in reverse order:
    // 0xFF b0 b1 b2. The same two loads per four samples as above.
    int j = 0;
    for (; j + 4 <= columns; j += 4, samples += 12) {
        quint64 a;
        quint32 b;
        std::memcpy(&a, samples, sizeof a);
        std::memcpy(&b, samples + 8, sizeof b);
        a = qFromLittleEndian(a);
        b = qFromLittleEndian(b);
        out[j] = 0xFF000000u | (qbswap(quint32(a)) >> 8);
        out[j + 1] = 0xFF000000u | (qbswap(quint32(a >> 24)) >> 8);
        out[j + 2] = 0xFF000000u | (qbswap(quint32(a >> 48) | b << 16) >> 8);
        out[j + 3] = 0xFF000000u | (qbswap(b) & 0xFFFFFFu);
    }
    for (; j < columns; ++j, samples += 3)
        out[j] =
            0xFF000000u | (quint32(samples[0]) << 16) | (quint32(samples[1]) << 8) | samples[2];
}

void StripRenderer::drawMappedSamples(quint32 *out, const uchar *samples, int columns) const
{
    // Neighbouring columns often show the same sample (every one twice for 360 samples).
    int previous = -1;
    quint32 pixel = 0;
    for (int j = 0; j < columns; ++j) {
        const int offset = m_sampleOfColumn[size_t(j)];
        if (offset != previous)
            pixel = pixelOf(samples + offset);
        previous = offset;
        out[j] = pixel;
    }
}

void StripRenderer::DrawImageRow(TDirectDrawSurface &surface, const TImageLine &record, int y) const
{
    quint32 *row = surface.scanLine(y);
    if (!row || surface.Width() <= ImageLeft)
        return;
    const int columns = qMin(ImageColumns, surface.Width() - ImageLeft);
    if (m_samples == ImageColumns)
        drawAllSamples(row + ImageLeft, record.Samples(), columns);
    else
        drawMappedSamples(row + ImageLeft, record.Samples(), columns);
    const quint32 white = rgbFromPlain(clWhite);
    row[ImageLeft] = white;
    if (surface.Width() > RightFrame) // on a 783-pixel surface the right frame falls outside
        row[RightFrame] = white;
}

void StripRenderer::DrawDepthMark(TDirectDrawSurface &surface, qint32 depth, int y) const
{
    auto label = formatDepthMark(depth, m_unitSuffix, m_locale);
    if (!label)
        return;
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    // Five integer digits ("10500.1ft") would run over the tick: such a label goes without its
    // unit, which the labels of shallower depths and the depth readout still show.
    if (canvas.TextExtent(*label).width() > TickLeft - 1)
        label = formatDepthMark(depth, QString(), m_locale);
    canvas.Pen.Color = clBlack;
    canvas.MoveTo(TickLeft, y);
    canvas.LineTo(ImageLeft, y);
    // A label never reaches into the image, however long an absurd depth makes it: the image
    // rows are drawn before the marks and would otherwise keep stray label pixels.
    canvas.TextRect({0, y - LabelRise, ImageLeft, y + 64}, 0, y - LabelRise, *label);
}

void StripRenderer::clearMargin(TDirectDrawSurface &surface, int rows)
{
    TDirectDrawSurfaceCanvas &canvas = surface.Canvas();
    canvas.Pen.Color = clWhite;
    // FillRect paints with the brush, whatever colour an earlier step left it.
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, ImageLeft, rows});
}

} // namespace kivo
