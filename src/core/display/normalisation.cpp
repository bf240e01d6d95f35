// KIVO Log Viewer
#include "display/normalisation.h"

#include "display/normalisationavx2.h"

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

namespace {

// ceil(2^32 / d): (n * R[d]) >> 32 is n / d rounded down, exactly, for any n below 2^24 and d
// below 256 (the excess n * (R[d] * d - 2^32) / (2^32 d) stays below 1 / d).
constexpr std::array<quint64, 256> reciprocals()
{
    std::array<quint64, 256> r{};
    for (quint64 d = 1; d < 256; ++d)
        r[d] = ((quint64(1) << 32) + d - 1) / d;
    return r;
}

// The gain that takes a brightest channel of b to 255 at most, 16.16.
constexpr std::array<quint32, 256> gainCeilings()
{
    std::array<quint32, 256> ceilings{};
    for (quint32 b = 1; b < 256; ++b)
        ceilings[b] = (255u << 16) / b;
    return ceilings;
}

constexpr std::array<quint64, 256> Reciprocals = reciprocals();
constexpr std::array<quint32, 256> GainCeilings = gainCeilings();

} // namespace

void luminancesOf(const uchar *samples, int count, int stride, uchar *luminances)
{
    const int done =
        stride == 4 && hasAvx2() ? luminancesOfEveryFourthAvx2(samples, count, luminances) : 0;
    luminances += done / 4;
    samples += 3 * done;
    for (int i = done; i < count; i += stride, samples += 3 * stride)
        *luminances++ = uchar(luminanceOf(samples[0], samples[1], samples[2]));
}

void addLuminances(LuminanceHistogram &histogram, const uchar *luminances, int count)
{
    for (int i = 0; i < count; ++i)
        ++histogram[luminances[i]];
}

void removeLuminances(LuminanceHistogram &histogram, const uchar *luminances, int count)
{
    for (int i = 0; i < count; ++i)
        --histogram[luminances[i]];
}

LuminanceGains equalisationGains(const LuminanceHistogram &window)
{
    quint64 total = 0;
    for (quint32 count : window)
        total += count;
    LuminanceGains gains; // every entry is written below
    if (total == 0) {
        gains.fill(1u << 16);
        return gains;
    }
    // 255 * cumulative / total rounded down, by one multiplication a bin: the error of the
    // product (below 1e-13) is far below the smallest step 1 / total can make (above 1e-11 for
    // any window of fewer than 1e10 samples), so the nudge never passes a true integer.
    const double scale = 255.0 / double(total);
    if (hasAvx2() && total < (quint64(1) << 31)) {
        equalisationGainsAvx2(window.data(), scale, Reciprocals.data(), gains.data());
        return gains;
    }
    gains[0] = 0;
    quint64 cumulative = window[0];
    for (size_t y = 1; y < 256; ++y) {
        cumulative += window[y];
        const auto equalised = quint64(qint64(double(cumulative) * scale + 1e-12));
        gains[y] = quint32(((equalised << 16) * Reciprocals[y]) >> 32);
    }
    return gains;
}

void applyLuminanceGains(const LuminanceGains &gains, const uchar *from, uchar *to, int count)
{
    const int done = hasAvx2() ? applyLuminanceGainsAvx2(gains.data(), from, to, count) : 0;
    from += 3 * done;
    to += 3 * done;
    for (int i = done; i < count; ++i, from += 3, to += 3) {
        const quint32 red = from[0];
        const quint32 green = from[1];
        const quint32 blue = from[2];
        const quint32 brightest = std::max(red, std::max(green, blue));
        const quint32 gain = std::min(gains[size_t(luminanceOf(int(red), int(green), int(blue)))],
                                      GainCeilings[brightest]);
        to[0] = uchar((red * gain + 0x8000) >> 16);
        to[1] = uchar((green * gain + 0x8000) >> 16);
        to[2] = uchar((blue * gain + 0x8000) >> 16);
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
