// KIVO Log Viewer
#pragma once

#include "plots/tadpoletrack.h"

#include <optional>

namespace kivo {

class LogSession;

// The depths at the view's top and bottom rows at the session's position, taken from the first
// and last rows that show a record (the mean depth of each one's records, as picking has it at
// a zoom) and carried on evenly over rows that show none, so that a track of the view's height
// lines up with the image. nullopt without a log or records.
// Throws KivoError when the file cannot be read.
std::optional<TadpoleRange> viewDepthRange(LogSession &session);

} // namespace kivo
