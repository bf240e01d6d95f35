// KIVO Log Viewer
#pragma once

#include "display/channelhistograms.h"

#include <QtGlobal>

#include <array>

namespace kivo {

// How the samples of a record are stretched before the colour tables apply.
enum class Normalisation {
    Off,     // the samples as recorded
    Static,  // each channel stretched from the whole log's 1st to 99th percentile onto 0..255
    Dynamic, // the luminance equalised over a moving window of records, the hue kept
};

// One 256-entry table for each channel (0 red, 1 green, 2 blue).
using ChannelTables = std::array<std::array<quint8, 256>, 3>;

// The smallest byte whose cumulative count reaches percent % of all the counts (0 for an empty
// histogram).
quint8 percentileOf(const std::array<quint64, 256> &counts, int percent);

// Per channel: bytes at or below the 1st percentile to 0, at or above the 99th to 255, linear
// (rounded) between. A channel whose two percentiles meet (one value nearly everywhere, or no
// samples) keeps its bytes.
ChannelTables staticStretchTables(const ChannelHistograms &histograms);
void applyChannelTables(const ChannelTables &tables, uchar *samples, int count);

// The luminance of a sample, (77 R + 150 G + 29 B + 128) / 256: a grey sample's is its value.
inline int luminanceOf(int red, int green, int blue)
{
    return (77 * red + 150 * green + 29 * blue + 128) >> 8;
}

// The luminances of every stride-th sample of a run from the first, one byte each: (count +
// stride - 1) / stride of them.
void luminancesOf(const uchar *samples, int count, int stride, uchar *luminances);

// How often each luminance occurs: a run of luminances counted in, or taken out again.
using LuminanceHistogram = std::array<quint32, 256>;
void addLuminances(LuminanceHistogram &histogram, const uchar *luminances, int count);
void removeLuminances(LuminanceHistogram &histogram, const uchar *luminances, int count);

// The gain of each luminance Y under histogram equalisation of a window's luminances,
// Y' = 255 * cdf(Y) / total (a window whose luminances are spread evenly maps each to itself),
// as Y' / Y in 16.16 fixed point (0 for Y = 0, where no gain can lift black).
using LuminanceGains = std::array<quint32, 256>;
LuminanceGains equalisationGains(const LuminanceHistogram &window);
// Every channel of a sample times the gain of its luminance, so that the channels keep their
// ratios (the hue); the gain is lowered where the brightest channel would pass 255. The samples
// from from go to to, which is from itself or does not overlap it.
void applyLuminanceGains(const LuminanceGains &gains, const uchar *from, uchar *to, int count);

// Each sample becomes the grey of its luminance.
void toGreyScale(uchar *samples, int count);

} // namespace kivo
