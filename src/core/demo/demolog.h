// KIVO Log Viewer
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace kivo {

// Writes the demonstration log, "demo.bhx" with its header "demo.HED", into directory (made
// when missing), replacing files of those names. The log is the same, byte for byte, on every
// call. Throws KivoError naming the folder or file that could not be written; a file that
// fails is never left half written.
void writeDemoLog(const QString &directory);

// The design of the demonstration log: a 15 m optical-televiewer run in a 96 mm core hole
// through bedded sandstone, shale, siltstone and limestone, with dipping fractures and one
// broken zone.
namespace demo {

constexpr int SamplesPerLine = 720;
constexpr qint32 FirstDepth = 10000; // millimetres: one record per millimetre, 10 m to 25 m
constexpr qint32 LastDepth = 25000;
constexpr qint64 RecordCount = LastDepth - FirstDepth + 1;
// The run was logged upwards ("LogMode" 11 stacks records bottom-up): the first record is the
// deepest, so that depth grows down the screen.
constexpr qint32 depthOf(qint64 record)
{
    return LastDepth - qint32(record);
}
constexpr double HoleRadius = 48.0; // millimetres, which is records along the hole

// A planar fracture: on the unrolled wall a sinusoid whose height grows with the dip.
struct Fracture {
    qint64 record;   // where the plane crosses the hole's axis
    double dip;      // degrees from horizontal
    double azimuth;  // degrees clockwise from the image's first column, where the trace is deepest
    double aperture; // mean open width in records; it varies along the trace
    int halo;        // width of the altered rim on each side in records, 0 for a clean break
};

inline constexpr std::array<Fracture, 7> Fractures = {{
    {850, 35.0, 120.0, 3.0, 0},
    {2400, 62.0, 250.0, 4.0, 6},
    {4200, 20.0, 40.0, 2.5, 0},
    {5750, 75.0, 300.0, 5.0, 8},
    {9100, 48.0, 190.0, 3.0, 4},
    {11600, 28.0, 80.0, 6.0, 10},
    {13300, 55.0, 340.0, 2.5, 0},
}};

// The broken zone, 17.8 m up to 17.4 m; its edges wander a little around these records.
constexpr qint64 BrokenZoneFirst = 7200;
constexpr qint64 BrokenZoneLast = 7600;

// Record on the centre line of the fracture's trace in image column `column` (0..719).
double fractureRow(const Fracture &fracture, int column);

// The orientation of record n: the bearing turns twice through 0..359 over the log, the angle
// wanders between 1 and 5 degrees.
qint16 bearing(qint64 record);
qint16 angle(qint64 record);

} // namespace demo
} // namespace kivo
