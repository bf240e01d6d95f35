// KIVO Log Viewer
#include "display/tcolor.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace kivo {

namespace {

struct SystemColour {
    quint32 number;
    QPalette::ColorRole role;
    QRgb classic; // the Windows classic scheme, used when there is no application palette
};

// The Windows system colours that have a counterpart among the palette's roles.
constexpr std::array<SystemColour, 19> systemColours{{
    {0, QPalette::Mid, qRgb(192, 192, 192)},              // scroll bar
    {4, QPalette::Window, qRgb(192, 192, 192)},           // menu
    {5, QPalette::Base, qRgb(255, 255, 255)},             // window
    {6, QPalette::Shadow, qRgb(0, 0, 0)},                 // window frame
    {7, QPalette::WindowText, qRgb(0, 0, 0)},             // menu text
    {8, QPalette::WindowText, qRgb(0, 0, 0)},             // window text
    {13, QPalette::Highlight, qRgb(0, 0, 128)},           // highlight
    {14, QPalette::HighlightedText, qRgb(255, 255, 255)}, // highlighted text
    {15, QPalette::Button, qRgb(192, 192, 192)},          // button face
    {16, QPalette::Dark, qRgb(128, 128, 128)},            // button shadow
    {17, QPalette::PlaceholderText, qRgb(128, 128, 128)}, // grey text
    {18, QPalette::ButtonText, qRgb(0, 0, 0)},            // button text
    {20, QPalette::Light, qRgb(255, 255, 255)},           // button highlight
    {21, QPalette::Shadow, qRgb(64, 64, 64)},             // 3-D dark shadow
    {22, QPalette::Midlight, qRgb(223, 223, 223)},        // 3-D light
    {23, QPalette::ToolTipText, qRgb(0, 0, 0)},           // tool tip text
    {24, QPalette::ToolTipBase, qRgb(255, 255, 225)},     // tool tip background
    {26, QPalette::Link, qRgb(0, 0, 128)},                // hot-tracked item
    {30, QPalette::Window, qRgb(192, 192, 192)},          // menu bar
}};

constexpr QRgb lightGrey = qRgb(192, 192, 192);

} // namespace

QRgb systemColorToRgb(TColor color)
{
    const quint32 number = color & 0x7FFFFFFFu;
    for (const SystemColour &entry : systemColours) {
        if (entry.number != number)
            continue;
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QGuiApplication::palette().color(entry.role).rgb();
        return entry.classic;
    }
    return lightGrey;
}

} // namespace kivo
