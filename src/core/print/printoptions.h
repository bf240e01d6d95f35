// KIVO Log Viewer
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kivo {

// What the print options dialog's OK button decides, worked out without the window.
struct PrintOptionsCheck {
    bool valid = true;
    // The vertical resolution to store, rounded to a whole number (halves to even); set
    // whenever its text converts, even when another entry is rejected.
    std::optional<double> verticalDpi;
    // After a cross-over correction: the new texts of the start and end depth edits.
    std::optional<QString> correctedStart;
    std::optional<QString> correctedEnd;
    // The messages to show, one box each, in this order.
    QStringList messages;
};

// The texts of the three edits.
struct PrintOptionsEntry {
    QString startDepth;  // Edit1
    QString endDepth;    // Edit2
    QString verticalDpi; // Edit3
};

// Checks the entry against the open log's depth range A = logStart to B = logEnd (either may be
// the larger). A text converts when the whole of it is a decimal number with the locale's
// separator, spaces allowed before it and nothing after it (parseEntryFloat). In order: the
// resolution, the start and end depth conversions, the start and end range tests (a depth out of
// [min(A, B), max(A, B)] when A differs from B; a depth whose text did not convert is not tested),
// and, only when all of that passed, the cross-over test: a range entered against the log's
// direction is swapped in the edits, reported, and has to be confirmed with another OK. `unit` ends
// the range messages ("m" or "ft").
PrintOptionsCheck checkPrintOptions(const PrintOptionsEntry &entry, double logStart, double logEnd,
                                    const QString &unit, const QLocale &locale = QLocale::system());

} // namespace kivo
