// KIVO Log Viewer
#pragma once

#include "picks/pick.h"
#include "shell/jobprogress.h"

#include <QList>
#include <QString>

namespace kivo {

// What to search: a data file's records first .. last (inclusive), a hole of this diameter
// (mm for metric logs, inches for feet logs).
struct DetectRequest {
    QString dataPath;
    int samplesPerLine = 720;
    qint64 firstRecord = 0;
    qint64 lastRecord = -1;
    double diameter = 0.0;
    bool feet = false;
    double minConfidence = 0.0;
    int threads = 0; // 0: one a processor core
};

struct DetectResult {
    QList<Pick> candidates; // sorted by depth
    bool cancelled = false; // then candidates is empty
};

// Searches the records for the traces of planar features: window by window along the log, so
// that memory stays the same for a log of any length, on several threads, with the same result
// for any number of them. Candidates are picks of type "detected" with a confidence, of
// apparent dips between 2.5 and 80 degrees. Throws KivoError when the file cannot be read or
// the request makes no sense.
// The progress, in records, is told on the calling thread, never on a worker; the search stops
// soon after it answers false.
DetectResult detectTraces(const DetectRequest &request, JobProgress *progress = nullptr);

} // namespace kivo
