// KIVO Log Viewer
#pragma once

#include <QRgb>
#include <QtGlobal>

namespace kivo {

// A canvas colour: 0x00BBGGRR (red in the lowest byte), or 0x80000000 + n for the platform's
// system colour number n (the Windows numbering: 15 is the button face, 8 the window text).
using TColor = quint32;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;

constexpr bool isSystemColor(TColor color)
{
    return (color & 0x80000000u) != 0;
}

// The opaque pixel 0xFFRRGGBB of a colour given as 0x00BBGGRR; the bits above 23 are ignored.
constexpr QRgb rgbFromPlain(TColor color)
{
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

// The pixel of a system colour: from the application's palette while a QGuiApplication exists,
// otherwise the classic Windows value; unknown numbers give light grey (192, 192, 192).
QRgb systemColorToRgb(TColor color);

// The opaque pixel 0xFFRRGGBB that a canvas draws for a colour.
inline QRgb colorToRgb(TColor color)
{
    return isSystemColor(color) ? systemColorToRgb(color) : rgbFromPlain(color);
}

} // namespace kivo
