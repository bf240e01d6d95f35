// KIVO Log Viewer
#pragma once

#include "header/uniheader.h"
#include "log/loglayout.h"

#include <QLocale>
#include <QString>

namespace kivo {

// The part of opening a log that reads its header: names the header file, reads it into the
// header record, checks its identity and reads the data layout. The viewer and the command-line
// tool both open logs through it.
struct LogHeaderCheck {
    enum class Outcome {
        Accepted,
        InvalidHeader, // "Ident" present but wrong: the user is told "Invalid Header!"
        NoHeader,      // no header file: refused without a message
        NoIdent,       // "Ident" missing: refused without a message
    };

    Outcome outcome = Outcome::NoHeader;
    QString headerFileName; // the header the data file belongs to (as found on disk)
    LogLayout layout;       // valid when Accepted

    bool accepted() const { return outcome == Outcome::Accepted; }
    // Why the log was refused, for a user who asked for the reason (the command-line tool).
    QString refusal() const;
};

// The header file a data file belongs to, as found on disk: MakeHeaderFileName, then a match in
// another letter case.
QString logHeaderFileName(const QString &dataPath);

// Reads a log's header file into `header` (which the caller has reset). Throws KivoError for an
// unreadable header file, a malformed number and an unusable sample count.
LogHeaderCheck checkLogHeaderFile(const QString &headerFileName, uniheader &header,
                                  int viewDepthUnit, int defaultSampleCount,
                                  const QLocale &locale = QLocale::system());
// The same for the header of a data file.
LogHeaderCheck checkLogHeader(const QString &dataPath, uniheader &header, int viewDepthUnit,
                              int defaultSampleCount, const QLocale &locale = QLocale::system());

} // namespace kivo
