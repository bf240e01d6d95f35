// KIVO Log Viewer
#pragma once

#include "display/colourmap.h"
#include "header/uniheader.h"
#include "log/imagefile.h"
#include "log/loglayout.h"

#include <QString>

namespace kivo {

// The viewer parameters: all zero at start-up and never loaded from a file.
struct iniparam {
    qint32 ViewDepthUnit = 0;      // depth unit of the log being viewed: 0 metres, else feet
    qint32 DefaultSampleCount = 0; // the default for "SampleCount"; nothing sets it
    double VerticalDpi = 0.0;      // the print options' vertical resolution
};

// Redraw requests: which pass the loop runs next.
enum RedrawKinds : quint8 {
    RedrawLineUp = 0,   // incremental, new rows at the top (direction 2)
    RedrawLineDown = 1, // incremental, new rows at the bottom (direction 2)
    RedrawPageUp = 2,   // full
    RedrawPageDown = 3, // full
    RedrawFull = 4,     // full: thumb released, a log opened, colour tables rebuilt
};

// What the main window and its tool windows share while the program runs: the header record,
// the viewer parameters, the colour tables, the open log's layout (SamplesPerLine,
// LogDirection, OrientationMode, LogStartDepth, LogEndDepth) and the requests that travel
// between the handlers and the open command's loop. LogSession owns it and is the only one
// that changes it.
struct ViewerState {
    uniheader header;
    iniparam params;
    TColourMap ColourMap;

    kivo::ImageFile ImageFile;
    LogLayout layout;

    quint8 RedrawPending = 0;
    quint8 RedrawKind = 0;
    quint8 CloseRequested = 0;
    quint8 OpenFromCommandLine = 0;

    QString LastLogDir;
    QString HeaderFileName;
};

} // namespace kivo
