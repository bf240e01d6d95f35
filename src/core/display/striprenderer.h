// KIVO Log Viewer
#pragma once

#include "display/colourmap.h"

#include <QLocale>
#include <QString>

#include <array>
#include <vector>

namespace kivo {

class TDirectDrawSurface;
class TImageLine;

// Draws records onto the display surface: one record per row, the unrolled 360-degree image in
// columns 63..782 between two white frame pixels (x 63 and 783), and in the margin (x 0..62) a
// tick (x 55..62) with a depth label at every tenth of a depth unit.
class StripRenderer {
public:
    static constexpr int ImageLeft = 63;
    static constexpr int ImageColumns = 720;
    static constexpr int RightFrame = ImageLeft + ImageColumns; // 783
    static constexpr int TickLeft = 55;
    static constexpr int LabelRise = 5; // a label's cell starts this many rows above its tick

    StripRenderer(int samplesPerLine, QString unitSuffix, QLocale locale = QLocale::system());

    int samplesPerLine() const { return m_samples; }

    // After the display is made: white fill, black pen and text, the label font.
    static void PrepareSurfaceA(TDirectDrawSurface &surface);
    // Once the log is open: the margin whitened row by row, then the canvas released.
    static void PrepareSurfaceB(TDirectDrawSurface &surface);

    // Takes the colour tables as they are now; called before each pass, so that a rebuild by
    // the display adjust window shows from the next pass on.
    void setColourMap(const TColourMap &map);

    // Image column j shows sample j * N / 720: each sample twice for 360 samples, every sample
    // for 720, and the whole circumference for any other count. Never reads past the record.
    void DrawImageRow(TDirectDrawSurface &surface, const TImageLine &record, int y) const;
    // The tick and label of a depth that is a multiple of 100 thousandths; nothing otherwise.
    void DrawDepthMark(TDirectDrawSurface &surface, qint32 depth, int y) const;
    // Whitens the margin of rows 0..rows-1 (every mark is then drawn again).
    static void clearMargin(TDirectDrawSurface &surface, int rows);

private:
    quint32 pixelOf(const uchar *sample) const;
    // Column j from sample j (720 samples).
    void drawAllSamples(quint32 *out, const uchar *samples, int columns) const;
    // The same when the tables map every byte to itself.
    void drawUnmappedSamples(quint32 *out, const uchar *samples, int columns) const;
    // Column j from sample j * N / 720.
    void drawMappedSamples(quint32 *out, const uchar *samples, int columns) const;

    int m_samples;
    QString m_unitSuffix;
    QLocale m_locale;
    std::vector<int> m_sampleOfColumn; // byte offset of each column's sample in the record
    // The colour tables re-arranged for 0xFFRRGGBB pixels: red to bits 16-23 (with the opaque
    // alpha), blue to 0-7.
    std::array<quint32, 256> m_red{};
    std::array<quint32, 256> m_green{};
    std::array<quint32, 256> m_blue{};
    bool m_neutral = false; // the tables map every byte to itself
};

} // namespace kivo
