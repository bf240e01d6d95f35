// KIVO Log Viewer
#pragma once

#include <QString>

namespace kivo {

// The caption of every message box the viewer shows.
inline const char *const ApplicationTitle = "KIVO VIEWER";

// An error's text as the viewer reports it: a full stop is added when the last character sorts
// after "." (a letter, a digit, a path), so "File not found" reads "File not found." while
// "Invalid Header!" stays as it is.
QString errorReportText(const QString &text);

} // namespace kivo
