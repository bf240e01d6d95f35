// KIVO Log Viewer
#pragma once

#include "detect/tracedetector.h"

#include <optional>

namespace kivo {

class LogSession;

// The search over the open log's records between two depths (log unit, either order; default
// the whole log), for a hole of the diameter given, else the bit size at the middle of the
// range, else the session's fallback diameter. Throws KivoError when no diameter is known or the
// file cannot be read.
DetectRequest detectRequest(LogSession &session, std::optional<double> from,
                            std::optional<double> to, std::optional<double> diameter);

} // namespace kivo
