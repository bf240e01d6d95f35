// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <array>

namespace kivo {

// How often each byte value occurs in each colour channel (0 red, 1 green, 2 blue) over a set
// of samples: what a static stretch is computed from. Filled by the whole-log pass that builds
// the overview.
struct ChannelHistograms {
    std::array<std::array<quint64, 256>, 3> counts{};

    void add(quint8 red, quint8 green, quint8 blue)
    {
        ++counts[0][red];
        ++counts[1][green];
        ++counts[2][blue];
    }
    void merge(const ChannelHistograms &other)
    {
        for (size_t c = 0; c < 3; ++c)
            for (size_t i = 0; i < 256; ++i)
                counts[c][i] += other.counts[c][i];
    }
};

} // namespace kivo
