// KIVO Log Viewer
#include "demo/demoimage.h"

#include "picks/sinusoid.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

constexpr int Width = demo::SamplesPerLine;
constexpr double Pi = 3.14159265358979323846;

// Seeds of the independent noise fields.
enum Seed : quint32 {
    GrainSeed = 11,
    LaminaSeed,
    OpenSeed,
    PieceSeed,
    ApertureSeed = 100, // + fracture number
    ZoneTopSeed = 200,
    ZoneBottomSeed,
};

// The bedding dips about 10 degrees: a 9-record sinusoid in a 48 mm radius hole.
constexpr double BeddingAmplitude = 9.0;
constexpr double BeddingAzimuth = 150.0;
constexpr int BeddingMargin = 16;
constexpr int BedBlend = 8; // half the rows over which one bed grades into the next

struct Lithology {
    float red, green, blue;
    float mottle;
    float grain;
    float lamination;      // brightness swing of the laminae
    float laminaThickness; // rows
};

constexpr Lithology Sandstone{192, 162, 118, 0.20f, 0.12f, 0.06f, 18};
constexpr Lithology PaleSandstone{214, 196, 160, 0.16f, 0.12f, 0.05f, 22};
constexpr Lithology RedSandstone{166, 98, 72, 0.20f, 0.12f, 0.07f, 16};
constexpr Lithology Shale{84, 82, 78, 0.10f, 0.05f, 0.14f, 5};
constexpr Lithology Siltstone{138, 120, 98, 0.14f, 0.08f, 0.10f, 9};
constexpr Lithology Limestone{176, 174, 160, 0.26f, 0.05f, 0.04f, 30};

struct Bed {
    qint64 top; // bedding level (record) where the bed starts
    const Lithology *rock;
};

constexpr std::array<Bed, 14> Beds = {{
    {0, &Sandstone},
    {1300, &Shale},
    {1750, &Siltstone},
    {2900, &PaleSandstone},
    {4600, &Shale},
    {5050, &Limestone},
    {6700, &RedSandstone},
    {8200, &Shale},
    {8650, &Siltstone},
    {9600, &Sandstone},
    {11100, &Limestone},
    {12400, &Shale},
    {12800, &RedSandstone},
    {14100, &Sandstone},
}};

constexpr float OpenColour[3] = {26, 22, 19};
constexpr float CrackColour[3] = {22, 19, 16};
constexpr float CavityColour[3] = {38, 33, 28};
constexpr float InfillColour[3] = {96, 84, 70};
constexpr float HaloTint[3] = {28, 10, -10}; // iron staining of the altered rim
constexpr float StainTint[3] = {24, 6, -16};

// The broken zone: pieces of about 20 mm with gaps of 1 to 2 mm, some split again into chips.
constexpr float MillimetresPerColumn = float(2.0 * Pi * demo::HoleRadius / Width);
constexpr qint64 ZoneReach = 60; // rows beyond the nominal zone that a piece can reach
constexpr float CrackWidth = 1.4f;
constexpr float ChipCrackWidth = 0.5f;

float smoothstep(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

// Depth offset, in records, of a trace of the amplitude whose deepest point lies at the
// azimuth. The demonstration log puts column j at j/2 degrees (its left edge, not its centre).
double traceOffset(int column, double amplitude, double azimuth)
{
    return sinusoidDepth(0.0, amplitude, azimuth * Pi / 180.0, 2.0 * Pi * column / Width);
}

float laminaShade(const Lithology &rock, qint64 level)
{
    const float n = smoothNoise(double(level) / rock.laminaThickness, LaminaSeed);
    return 1.0f + rock.lamination * (2.0f * n - 1.0f);
}

float mix(float a, float b, float w)
{
    return a + (b - a) * w;
}

int wrapColumn(float column)
{
    return (int(std::floor(column)) % Width + Width) % Width;
}

uchar toByte(float value)
{
    return uchar(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

} // namespace

namespace demo {

double fractureRow(const Fracture &fracture, int column)
{
    const double amplitude = HoleRadius * std::tan(fracture.dip * Pi / 180.0);
    return sinusoidDepth(double(fracture.record), amplitude, fracture.azimuth * Pi / 180.0,
                         2.0 * Pi * column / Width);
}

} // namespace demo

DemoImage::DemoImage()
    : m_fine(Width, 6, 3, 1)
    , m_medium(Width, 24, 10, 2)
    , m_coarse(Width, 90, 36, 3)
    , m_stain(Width, 90, 60, 4)
    , m_pieces(Width, 48, 20, MillimetresPerColumn, 5)
    , m_chips(Width, 20, 8, MillimetresPerColumn, 7)
{
    for (int i = 0; i < Width; ++i) {
        m_bedding[size_t(i)] = int(std::lround(traceOffset(i, BeddingAmplitude, BeddingAzimuth)));
        m_lighting[size_t(i)] = float(1.0 + 0.07 * std::cos(2.0 * Pi * i / Width - 1.1));
    }
    Row top{}, bottom{};
    DemoNoise(Width, 40, 1, ZoneTopSeed).addRow(0, 30.0f, top.data());
    DemoNoise(Width, 40, 1, ZoneBottomSeed).addRow(0, 30.0f, bottom.data());
    for (size_t i = 0; i < size_t(Width); ++i) {
        m_zoneTop[i] = float(demo::BrokenZoneFirst) + top[i] - 15.0f;
        m_zoneBottom[i] = float(demo::BrokenZoneLast) + bottom[i] - 15.0f;
    }
    buildRocks();
    buildTraces();
}

void DemoImage::buildRocks()
{
    m_rocks.resize(size_t(demo::RecordCount + 2 * BeddingMargin));
    size_t bed = 0;
    for (size_t index = 0; index < m_rocks.size(); ++index) {
        const qint64 level = qint64(index) - BeddingMargin;
        while (bed + 1 < Beds.size() && level >= Beds[bed + 1].top)
            ++bed;
        // Near a boundary the bed above grades into the bed below.
        const Lithology *upper = Beds[bed].rock;
        const Lithology *lower = upper;
        float w = 0.0f;
        if (bed + 1 < Beds.size() && Beds[bed + 1].top - level <= BedBlend) {
            lower = Beds[bed + 1].rock;
            w = smoothstep(float(level - Beds[bed + 1].top + BedBlend) / (2 * BedBlend));
        } else if (bed > 0 && level - Beds[bed].top < BedBlend) {
            upper = Beds[bed - 1].rock;
            lower = Beds[bed].rock;
            w = smoothstep(float(level - Beds[bed].top + BedBlend) / (2 * BedBlend));
        }
        m_rocks[index] = {mix(upper->red, lower->red, w),
                          mix(upper->green, lower->green, w),
                          mix(upper->blue, lower->blue, w),
                          mix(upper->mottle, lower->mottle, w),
                          mix(upper->grain, lower->grain, w),
                          mix(laminaShade(*upper, level), laminaShade(*lower, level), w)};
    }
}

void DemoImage::buildTraces()
{
    for (size_t k = 0; k < demo::Fractures.size(); ++k) {
        Trace trace;
        trace.fracture = demo::Fractures[k];
        const demo::Fracture &f = trace.fracture;
        Row width{};
        DemoNoise(Width, 30, 1, ApertureSeed + quint32(k)).addRow(0, 1.0f, width.data());
        for (int i = 0; i < Width; ++i) {
            trace.centre[size_t(i)] = float(demo::fractureRow(f, i));
            trace.halfAperture[size_t(i)] =
                float(f.aperture / 2.0 * (0.6 + 0.8 * width[size_t(i)]));
        }
        const double reach =
            demo::HoleRadius * std::tan(f.dip * Pi / 180.0) + f.aperture + f.halo + 2;
        trace.top = double(f.record) - reach;
        trace.bottom = double(f.record) + reach;
        m_traces.push_back(trace);
    }
}

void DemoImage::paintRow(qint64 record, uchar *samples)
{
    paintRock(record);
    paintBrokenZone(record);
    paintTraces(record);
    for (size_t i = 0; i < size_t(Width); ++i) {
        samples[3 * i] = toByte(m_red[i]);
        samples[3 * i + 1] = toByte(m_green[i]);
        samples[3 * i + 2] = toByte(m_blue[i]);
    }
}

void DemoImage::paintRock(qint64 record)
{
    m_texture.fill(0.0f);
    m_fine.addRow(record, 0.5f, m_texture.data());
    m_medium.addRow(record, 0.3f, m_texture.data());
    m_coarse.addRow(record, 0.2f, m_texture.data());
    m_staining.fill(0.0f);
    m_stain.addRow(record, 1.0f, m_staining.data());
    for (size_t i = 0; i < size_t(Width); ++i) {
        const Rock &rock = m_rocks[size_t(record + m_bedding[i] + BeddingMargin)];
        const float grain = 2.0f * unitHash(qint64(i), record, GrainSeed) - 1.0f;
        const float shade = rock.shade * m_lighting[i] *
                            (1.0f + rock.mottle * (2.0f * m_texture[i] - 1.0f)) *
                            (1.0f + rock.grain * grain);
        const float stain = m_staining[i] - 0.5f;
        m_red[i] = rock.red * shade + StainTint[0] * stain;
        m_green[i] = rock.green * shade + StainTint[1] * stain;
        m_blue[i] = rock.blue * shade + StainTint[2] * stain;
    }
}

void DemoImage::paintTraces(qint64 record)
{
    for (const Trace &trace : m_traces) {
        if (double(record) < trace.top || double(record) > trace.bottom)
            continue;
        const demo::Fracture &f = trace.fracture;
        const float rim = f.halo > 0 ? float(f.halo) : 1.5f;
        const float darkness = f.halo > 0 ? 0.5f : 0.35f;
        for (size_t i = 0; i < size_t(Width); ++i) {
            const float d = std::abs(float(record) - trace.centre[i]);
            const float half = trace.halfAperture[i];
            if (d >= half + rim)
                continue;
            // The rim darkens (and, when altered, stains) towards the open break.
            const float alter = 1.0f - std::max(0.0f, (d - half) / rim);
            const float tint = f.halo > 0 ? alter : 0.0f;
            float *channel[3] = {&m_red[i], &m_green[i], &m_blue[i]};
            const float open = std::clamp(half + 0.5f - d, 0.0f, 1.0f);
            const float speckle = 0.8f + 0.4f * unitHash(qint64(i), record, OpenSeed);
            for (int c = 0; c < 3; ++c) {
                const float rock = *channel[c] * (1.0f - darkness * alter) + HaloTint[c] * tint;
                *channel[c] = mix(rock, OpenColour[c] * speckle, open);
            }
        }
    }
}

void DemoImage::paintBrokenZone(qint64 record)
{
    if (record < demo::BrokenZoneFirst - ZoneReach || record > demo::BrokenZoneLast + ZoneReach)
        return;
    for (size_t i = 0; i < size_t(Width); ++i) {
        // A piece belongs to the zone when its point does, so the zone's edges follow the
        // outlines of the pieces. Pieces near the edges are less disturbed.
        const DemoCells::Sample s = m_pieces.at(int(i), record);
        const size_t column = size_t(wrapColumn(s.pieceColumn));
        const float inside =
            std::min(s.pieceRow - m_zoneTop[column], m_zoneBottom[column] - s.pieceRow);
        if (inside <= 0.0f)
            continue;
        const float w = std::clamp(inside / 40.0f, 0.35f, 1.0f);
        const float look[3] = {unitHash(s.piece, 0, PieceSeed), unitHash(s.piece, 1, PieceSeed),
                               unitHash(s.piece, 2, PieceSeed)};
        const float speckle = 0.8f + 0.4f * unitHash(qint64(i), record, OpenSeed);
        float *channel[3] = {&m_red[i], &m_green[i], &m_blue[i]};
        const bool crack = s.gap < CrackWidth * w ||
                           (look[1] < 0.5f && m_chips.at(int(i), record).gap < ChipCrackWidth);
        if (crack || look[0] < 0.07f * w) {
            // A gap between pieces, or a cavity where a piece has washed out.
            const float *colour = crack ? CrackColour : CavityColour;
            for (int c = 0; c < 3; ++c)
                *channel[c] = colour[c] * speckle;
            continue;
        }
        // Each piece lies at its own angle, so its laminae run their own way, and it has its own
        // brightness.
        const double angle = look[1] * Pi;
        const double across = double(i) * MillimetresPerColumn * std::cos(angle);
        const double along = double(record) * std::sin(angle);
        const auto stripe = float(std::sin((across + along) * 2.0 * Pi / 7.0 + look[0] * 20.0));
        const float shade = (1.0f - 0.35f * w) * (0.7f + 0.6f * look[2]) * (1.0f + 0.1f * stripe);
        for (int c = 0; c < 3; ++c)
            *channel[c] = mix(*channel[c] * shade, InfillColour[c], 0.2f * w);
    }
}

} // namespace kivo
