// KIVO Log Viewer
#include "display/colourmap.h"

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// n / 100 rounded to the nearest integer, halves to the even neighbour, for any sign of n.
qint64 divideBy100HalfEven(qint64 n)
{
    qint64 quotient = n / 100;
    qint64 remainder = n % 100;
    if (remainder < 0) { // floor division, so that the remainder is 0..99
        quotient -= 1;
        remainder += 100;
    }
    if (remainder > 50 || (remainder == 50 && (quotient & 1) != 0))
        quotient += 1;
    return quotient;
}

} // namespace

void BuildColourMap(TColourMap &map)
{
    const qint64 contrast = std::llround(map.Contrast);
    const qint64 brightness = std::llround(map.Brightness);
    for (int i = 0; i < 256; ++i) {
        const qint64 m =
            std::clamp<qint64>(divideBy100HalfEven(i * contrast + 100 * brightness), 0, 255);
        const auto index = static_cast<size_t>(i);
        map.RedTable[index] = static_cast<qint32>(m);
        map.GreenTable[index] = static_cast<qint32>(m << 8);
        map.BlueTable[index] = static_cast<qint32>(m << 16);
    }
}

} // namespace kivo
