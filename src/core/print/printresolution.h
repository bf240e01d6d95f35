// KIVO Log Viewer
#pragma once

namespace kivo {

// Device units per inch of every printed page. Print Screen places its scale in device units (a
// 50-unit band with the letters at the top and ticks from 35 to 50) and writes its letters in the
// default font, whose size follows the resolution: at 96 units an inch the letters fit in the
// band on any printer. Images keep their own resolution in the print job, so nothing is lost.
constexpr int PrintResolution = 96;

} // namespace kivo
