// KIVO Log Viewer
#pragma once

#include "cli/jsonwriter.h"
#include "header/uniheader.h"

namespace kivo::cli {

// Every field of the header record under its own name, in declared order: texts as strings,
// integers and reals as numbers, the arrays as arrays.
void writeHeaderJson(JsonWriter &json, const char *key, const uniheader &header);

} // namespace kivo::cli
