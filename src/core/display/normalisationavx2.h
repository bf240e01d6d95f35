// KIVO Log Viewer
#pragma once

#include <QtGlobal>

namespace kivo {

// True when the processor runs AVX2 code.
bool hasAvx2();

// applyLuminanceGains for the samples from the first on, eight at a time with AVX2: each
// channel times min(gains[luminance], ceilings[brightest channel]) in 16.16, rounded. Returns
// how many samples it did (a multiple of 8, leaving the last few to the caller); only call it
// where hasAvx2().
int applyLuminanceGainsAvx2(const quint32 *gains, const quint32 *ceilings, uchar *samples,
                            int count);

} // namespace kivo
