// KIVO Log Viewer
#pragma once

#include "demo/democells.h"
#include "demo/demolog.h"
#include "demo/demonoise.h"

#include <QtGlobal>

#include <array>
#include <vector>

namespace kivo {

// Paints the wall image of the demonstration log one record at a time: bedded rock with a
// grain and mottling at several scales, gently dipping bedding, dark fracture traces with
// altered rims, and a darker zone of broken rock.
class DemoImage {
public:
    DemoImage();

    // Writes the 720 red, green, blue samples of the record to samples.
    void paintRow(qint64 record, uchar *samples);

private:
    using Row = std::array<float, demo::SamplesPerLine>;

    // The rock at one level of the bedding, blended across the bed boundaries.
    struct Rock {
        float red, green, blue;
        float mottle; // strength of the smooth texture
        float grain;  // strength of the per-pixel grain
        float shade;  // brightness of the lamina at this level
    };
    // A fracture's centre line and half open width in every column.
    struct Trace {
        demo::Fracture fracture;
        Row centre;
        Row halfAperture;
        double top, bottom; // records it spans
    };

    void buildRocks();
    void buildTraces();
    void paintRock(qint64 record);
    void paintTraces(qint64 record);
    void paintBrokenZone(qint64 record);

    std::vector<Rock> m_rocks;                         // by bedding level + BeddingMargin
    std::array<int, demo::SamplesPerLine> m_bedding{}; // level offset of each column
    std::vector<Trace> m_traces;
    Row m_lighting{}; // the tool's light falls a little brighter on one side of the hole
    Row m_zoneTop{}, m_zoneBottom{};
    DemoNoise m_fine, m_medium, m_coarse, m_stain;
    DemoCells m_pieces, m_chips;
    Row m_texture{}, m_staining{}, m_red{}, m_green{}, m_blue{};
};

} // namespace kivo
