// KIVO Log Viewer
#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace kivo {

class JobProgress;
class LogSession;

// What Print Log prints, as the print options dialog or `kivo print-log` gives it.
struct PrintLogRequest {
    static constexpr int MaxVerticalDpi = 2400;

    double fromDepth = 0.0; // depth unit of the log; either order, the pages run shallow to deep
    double toDepth = 0.0;
    int scale = 20;           // 1:N, one of PrintLogPages::Scales
    double verticalDpi = 0.0; // rows of the image track per inch of paper; 0: the device's own
    bool header = false;      // the header sheet as the first page
    bool keepMargins = false; // the device's margins; otherwise its whole printable area
    QString logoPath;         // the header sheet's logo
};

// Makes the device ready for the pages before the painter begins on it: the first page's
// orientation (landscape for the header sheet, else portrait) and the margins. The caller sets
// the resolution the pages are laid out in (PrintResolution).
void preparePrintLogDevice(QPagedPaintDevice &device, const PrintLogRequest &request);

// Prints the pages of the open log onto the device the painter is active on: the header sheet
// when asked for, then the log pages, portrait, one after the other (PrintLogPages). Each log
// page has a title line (file name, well, page k of n), the orientation scale over the image
// track, the depth track at the left with ticks and labels written as text, and the image track:
// one lossless image per page whose rows show the record nearest their depth, through the
// session's colour tables. When the session holds picks, their traces are drawn into the image
// and a tadpole track stands right of it (drawTadpoleTrack). Returns false when the progress asked
// to stop: the job must then be aborted, its pages discarded. Throws KivoError for a request that
// cannot be printed (a scale not offered, a resolution out of 0..MaxVerticalDpi, no record in the
// range) and when the data file cannot be read.
bool printLog(QPainter &painter, QPagedPaintDevice &device, LogSession &session,
              const PrintLogRequest &request, JobProgress &progress);

} // namespace kivo
