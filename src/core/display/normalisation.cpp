// KIVO Log Viewer
#include "display/normalisation.h"

#include <algorithm>

namespace kivo {

quint8 percentileOf(const std::array<quint64, 256> &counts, int percent)
{
    quint64 total = 0;
    for (quint64 count : counts)
        total += count;
    // cdf * 100 >= total * percent, in integers so that the positions fall exactly.
    quint64 cumulative = 0;
    for (int value = 0; value < 256; ++value) {
        cumulative += counts[size_t(value)];
        if (total > 0 && cumulative * 100 >= total * quint64(percent))
            return quint8(value);
    }
    return 0;
}

ChannelTables staticStretchTables(const ChannelHistograms &histograms)
{
    ChannelTables tables{};
    for (size_t c = 0; c < 3; ++c) {
        const int low = percentileOf(histograms.counts[c], 1);
        const int high = percentileOf(histograms.counts[c], 99);
        for (int value = 0; value < 256; ++value) {
            int mapped = value;
            if (high > low) {
                const int clamped = std::clamp(value, low, high);
                mapped = ((clamped - low) * 255 * 2 + (high - low)) / (2 * (high - low));
            }
            tables[c][size_t(value)] = quint8(mapped);
        }
    }
    return tables;
}

void applyChannelTables(const ChannelTables &tables, uchar *samples, int count)
{
    for (int i = 0; i < count; ++i, samples += 3) {
        samples[0] = tables[0][samples[0]];
        samples[1] = tables[1][samples[1]];
        samples[2] = tables[2][samples[2]];
    }
}

void addLuminances(LuminanceHistogram &histogram, const uchar *samples, int count)
{
    for (int i = 0; i < count; ++i, samples += 3)
        ++histogram[size_t(luminanceOf(samples[0], samples[1], samples[2]))];
}

LuminanceGains equalisationGains(const LuminanceHistogram &window)
{
    quint64 total = 0;
    for (quint32 count : window)
        total += count;
    LuminanceGains gains{};
    if (total == 0) {
        gains.fill(1u << 16);
        return gains;
    }
    quint64 cumulative = window[0];
    for (size_t y = 1; y < 256; ++y) {
        cumulative += window[y];
        const quint64 equalised = 255 * cumulative / total;
        gains[y] = quint32((equalised << 16) / y);
    }
    return gains;
}

void applyLuminanceGains(const LuminanceGains &gains, uchar *samples, int count)
{
    for (int i = 0; i < count; ++i, samples += 3) {
        const int red = samples[0];
        const int green = samples[1];
        const int blue = samples[2];
        const int brightest = std::max({red, green, blue});
        if (brightest == 0)
            continue;
        // The gain that takes the brightest channel to 255 at most.
        const quint32 ceiling = (255u << 16) / quint32(brightest);
        const quint32 gain = std::min(gains[size_t(luminanceOf(red, green, blue))], ceiling);
        samples[0] = uchar((quint32(red) * gain + 0x8000) >> 16);
        samples[1] = uchar((quint32(green) * gain + 0x8000) >> 16);
        samples[2] = uchar((quint32(blue) * gain + 0x8000) >> 16);
    }
}

void toGreyScale(uchar *samples, int count)
{
    for (int i = 0; i < count; ++i, samples += 3) {
        const uchar grey = uchar(luminanceOf(samples[0], samples[1], samples[2]));
        samples[0] = samples[1] = samples[2] = grey;
    }
}

} // namespace kivo
