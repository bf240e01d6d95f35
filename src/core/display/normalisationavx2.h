// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// True when the processor runs AVX2 code.
bool hasAvx2();

// luminancesOf every fourth sample from the first, eight luminances at a time with AVX2. Returns
// how many samples it went past (a multiple of 32, leaving the rest to the caller); only call it
// where hasAvx2().
int luminancesOfEveryFourthAvx2(const uchar *samples, int count, uchar *luminances);

// equalisationGains with AVX2 for a window of fewer than 2^31 samples, scale being 255 / their
// count and reciprocals[d] = ceil(2^32 / d) (0 for d = 0): the same steps as the plain version,
// eight bins at a time. Only call it where hasAvx2().
void equalisationGainsAvx2(const quint32 *window, double scale, const quint64 *reciprocals,
                           quint32 *gains);

// applyLuminanceGains for the samples from the first on, eight at a time with AVX2: each
// channel times min(gains[luminance], 255 * 2^16 / brightest channel rounded down) in 16.16,
// rounded. Returns how many samples it did (a multiple of 8, leaving the last few to the
// caller); only call it where hasAvx2().
int applyLuminanceGainsAvx2(const quint32 *gains, const uchar *from, uchar *to, int count);

} // namespace kivo
