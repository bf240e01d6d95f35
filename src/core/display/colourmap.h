// KIVO Log Viewer
#pragma once

#include <QtGlobal>

#include <array>

namespace kivo {

// Entry i = i << shift: the table BuildColourMap makes for brightness 0 and contrast 100.
constexpr std::array<qint32, 256> neutralColourTable(int shift)
{
    std::array<qint32, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<size_t>(i)] = i << shift;
    return table;
}

// Brightness and contrast as three 256-entry lookup tables. For every byte i all three hold the
// same mapped value m(i), in bits 0-7 (red), 8-15 (green) and 16-23 (blue), so that
// RedTable[b0] + GreenTable[b1] + BlueTable[b2] is the colour 0x00BBGGRR of a sample.
// A new map is neutral, its tables already those of its Brightness and Contrast: every byte
// maps to itself.
struct TColourMap {
    double Brightness = 0.0; // -100..100, added to every mapped value
    double Contrast = 100.0; // 0..800, gain in percent
    std::array<qint32, 256> RedTable = neutralColourTable(0);
    std::array<qint32, 256> GreenTable = neutralColourTable(8);
    std::array<qint32, 256> BlueTable = neutralColourTable(16);

    // The mapped value of byte i (bits 0-7 of RedTable).
    quint8 mapped(int i) const { return static_cast<quint8>(RedTable[static_cast<size_t>(i)]); }
};

// Rebuilds the tables: m(i) = (i * Contrast + 100 * Brightness) / 100 rounded to the nearest
// integer with halves to even, clamped to 0..255. Computed in integers, so the halves fall
// exactly (contrast 50: byte 1 -> 0, 3 -> 2, 5 -> 2). Brightness and Contrast are whole numbers
// (they come from scroll bar positions); a fraction is rounded first.
void BuildColourMap(TColourMap &map);

} // namespace kivo
