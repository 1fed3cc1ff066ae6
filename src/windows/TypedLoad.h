#pragma once

#include "windows/WindowsRowWriter.h"

namespace vc {

class Hive;
class RowSink;
struct LoadContext;

// Loads the Typed and searched table of one user from NTUSER.DAT: TypedURLs
// (with TypedURLsTime), TypedPaths, WordWheelQuery and RunMRU, one row per
// entry in each list's order (TypedEntries.h). Rows are appended to the sink
// (the caller starts the fill); each is offered to the context's filter with
// its recorded time as its date.
WindowsLoadResult loadTypedEntries(const Hive& ntUser, const LoadContext& context, RowSink& sink);

} // namespace vc
