// KIVO Log Viewer
#pragma once

#include "app/imagefile.h"
#include "app/logopener.h"
#include "header/uniheader.h"

#include <QString>

namespace kivo::cli {

// A log opened the way the viewer opens it, with the viewer's start-up state (metres, no
// default sample count).
struct OpenedLog {
    QString dataPath;
    uniheader header;
    LogHeaderCheck check;
    ImageFile file;
    qint64 recordCount = 0;
    int viewDepthUnit = 0;
};

// Opens dataPath into log. On refusal or error prints the reason and returns false (exit 2).
bool openLog(const QString &dataPath, OpenedLog &log);

} // namespace kivo::cli
