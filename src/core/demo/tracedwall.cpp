// KIVO Log Viewer
#include "demo/tracedwall.h"

#include "kivoerror.h"
#include "log/timageline.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Radian = Pi / 180.0;

// splitmix64: a small generator whose sequence is the same on every platform, unlike the
// standard library's distributions.
class Random {
public:
    explicit Random(quint64 seed)
        : m_state(seed * 0x9e3779b97f4a7c15ull + 0x632be59bd9b4e019ull)
    {}
    double uniform(double low, double high)
    {
        m_state += 0x9e3779b97f4a7c15ull;
        quint64 z = m_state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return low + (high - low) * double(z >> 11) * (1.0 / 9007199254740992.0);
    }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }

private:
    quint64 m_state;
};

// The part of the pixel [top, top + 1) that the interval [low, high] covers (record k spans
// k - 0.5 to k + 0.5).
double overlap(double top, double low, double high)
{
    return std::clamp(std::min(top + 1.0, high) - std::max(top, low), 0.0, 1.0);
}

// Whether azimuth phi (radians) lies in the gap that starts at gapStart and spans gap radians.
bool inGap(double phi, double gapStart, double gap)
{
    return std::fmod(phi - gapStart + 4.0 * Pi, 2.0 * Pi) < gap;
}

} // namespace

TracedWall::TracedWall(const TracedWallDesign &design)
    : m_design(design)
    , m_large(Samples, 60, 90, design.seed * 7u + 1u)
    , m_small(Samples, 16, 20, design.seed * 7u + 2u)
    , m_grain(Samples, 6, 5, design.seed * 7u + 3u)
    , m_row(size_t(Samples))
{
    if (design.traces)
        plantTraces(design.seed);
    if (design.bands)
        layBands(design.seed);
}

void TracedWall::plantTraces(quint32 seed)
{
    Random random(seed * 2u + 1u);
    const double radius = Diameter / 2.0;
    double centre = random.uniform(150.0, 400.0);
    for (;;) {
        PlantedTrace planted;
        const double dip = random.uniform(5.0, 75.0);
        const double amplitude = radius * std::tan(dip * Radian); // records: 1 mm each
        planted.thickness = random.uniform(2.5, 8.0);
        planted.darkening =
            random.chance(0.25) ? random.uniform(0.15, 0.24) : random.uniform(0.35, 0.6);
        planted.visible = random.chance(0.35) ? random.uniform(0.6, 0.95) : 1.0;
        const double trough = random.uniform(0.0, 360.0);
        const double gapStart = random.uniform(0.0, 2.0 * Pi);
        // Whole traces only, so that every planted one can be found.
        centre = std::max(centre, amplitude + 20.0);
        if (centre + amplitude + 20.0 > double(m_design.records))
            break;
        planted.trace.depth = (FirstDepth + centre) / 1000.0;
        planted.trace.amplitude = amplitude / 1000.0;
        planted.trace.troughAzimuth = trough;
        m_planted.append(planted);
        m_drawn.push_back({planted, centre, amplitude, trough * Radian, gapStart});
        centre += random.uniform(220.0, 650.0);
    }
}

void TracedWall::layBands(quint32 seed)
{
    Random random(seed * 2u + 2u);
    double top = 0.0;
    while (top < double(m_design.records)) {
        const bool thin = random.chance(0.3);
        const double height = thin ? random.uniform(6.0, 30.0) : random.uniform(150.0, 900.0);
        const float shift =
            float(thin ? random.uniform(-55.0, -25.0) : random.uniform(-40.0, 40.0));
        const float tint = float(random.uniform(-12.0, 12.0));
        m_bands.push_back({top, top + height, shift + tint, shift, shift - tint});
        top += height;
    }
}

void TracedWall::paintRow(qint64 record, uchar *samples)
{
    const double row = double(record);
    float red = 150.0f, green = 126.0f, blue = 98.0f;
    if (!m_bands.empty()) {
        // The band holding the record, blended into the next over two records at its edge.
        auto band = std::upper_bound(m_bands.begin(), m_bands.end(), row,
                                     [](double r, const Band &b) { return r < b.bottom; });
        if (band != m_bands.end()) {
            float t = 0.0f;
            if (band + 1 != m_bands.end())
                t = float(std::clamp((row - (band->bottom - 2.0)) / 4.0, 0.0, 1.0));
            const Band &next = band + 1 != m_bands.end() ? *(band + 1) : *band;
            red += band->red + (next.red - band->red) * t;
            green += band->green + (next.green - band->green) * t;
            blue += band->blue + (next.blue - band->blue) * t;
        }
    }
    std::fill(m_row.begin(), m_row.end(), 1.0f);
    if (m_design.blobs) {
        std::fill(m_row.begin(), m_row.end(), 1.0f - 0.24f);
        m_large.addRow(record, 0.28f, m_row.data());
        m_small.addRow(record, 0.12f, m_row.data());
        m_grain.addRow(record, 0.08f, m_row.data());
    }
    const double slow = m_design.shading ? 1.0 + 0.12 * std::sin(2.0 * Pi * row / 2700.0) : 1.0;
    for (int x = 0; x < Samples; ++x) {
        const double phi = columnAzimuth(x) * Radian;
        double light = m_row[size_t(x)] * slow;
        if (m_design.shading)
            light *= 1.0 + 0.18 * std::cos(phi - 40.0 * Radian);
        for (const Drawn &trace : m_drawn) {
            if (std::abs(row - trace.centreRecord) > trace.amplitudeRecords + 10.0)
                continue;
            if (inGap(phi, trace.gapStart, 2.0 * Pi * (1.0 - trace.planted.visible)))
                continue;
            const double centre =
                trace.centreRecord + trace.amplitudeRecords * std::cos(phi - trace.trough);
            const double half = trace.planted.thickness / 2.0;
            light *=
                1.0 - trace.planted.darkening * overlap(row - 0.5, centre - half, centre + half);
        }
        const float noise[3] = {float(unitHash(x, record, m_design.seed * 3u) +
                                      unitHash(x, record, m_design.seed * 3u + 1u) - 1.0f),
                                float(unitHash(x, record, m_design.seed * 3u + 2u) +
                                      unitHash(x + Samples, record, m_design.seed * 3u) - 1.0f),
                                float(unitHash(x + Samples, record, m_design.seed * 3u + 1u) +
                                      unitHash(x + Samples, record, m_design.seed * 3u + 2u) -
                                      1.0f)};
        // Two uniforms summed: triangular noise, standard deviation 0.408 of the scale.
        const float scale = float(m_design.noise / 0.408);
        const float channels[3] = {red, green, blue};
        for (int c = 0; c < 3; ++c) {
            const float value = channels[c] * float(light) + noise[c] * scale;
            samples[3 * x + c] = uchar(std::clamp(std::lround(value), 0L, 255L));
        }
    }
}

QString writeTracedLog(const QString &directory, const QString &name, TracedWall &wall)
{
    const auto fail = [](const QSaveFile &file) {
        throw KivoError(QStringLiteral("%1 cannot be written: %2")
                            .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    };
    const QDir dir(directory);
    const QString dataPath = dir.filePath(name + ".bhx");
    QSaveFile data(dataPath);
    if (!data.open(QIODevice::WriteOnly))
        fail(data);
    const qint64 size = TImageLine::recordSize(TracedWall::Samples);
    QByteArray record(size, '\0');
    auto *bytes = reinterpret_cast<uchar *>(record.data());
    for (qint64 k = 0; k < wall.records(); ++k) {
        TImageLine::writeFields(bytes, TracedWall::Samples, TracedWall::depthOf(k),
                                qint16(k / 40 % 360), 3);
        wall.paintRow(k, bytes + TImageLine::SamplesOffset);
        if (data.write(record) != size)
            fail(data);
    }
    if (!data.commit())
        fail(data);
    QSaveFile header(dir.filePath(name + ".HED"));
    const QByteArray start = QByteArray::number(TracedWall::depthOf(0) / 1000.0, 'f', 3);
    const QByteArray end =
        QByteArray::number(TracedWall::depthOf(wall.records() - 1) / 1000.0, 'f', 3);
    const QByteArray text =
        "[General]\r\nIdent=WL_EXT\r\n[WellInfo]\r\nDepthUnit=0\r\nLogMode=12\r\n"
        "Startdepth=" +
        start + "\r\nEndDepth=" + end +
        "\r\n"
        "RunNo1=1\r\nBitRec1=96\r\nBitRecFrom1=0\r\nBitRecTo1=100000\r\n"
        "[File1]\r\nStartDepth=" +
        start + "\r\nEndDepth=" + end +
        "\r\n"
        "[Channel1]\r\nSampleCount=720\r\n";
    if (!header.open(QIODevice::WriteOnly) || header.write(text) != text.size() || !header.commit())
        fail(header);
    return dataPath;
}

} // namespace kivo
