#pragma once

#include "cache/RecordDecoders.h"
#include "platform/Progress.h"

#include <QString>

namespace vc {

struct WalkOptions {
    // true: test every 128-byte block ("Full history"); false: follow the
    // chain of hash tables.
    bool linearScan = true;
    // Units of the progress bar the walk may use.
    int progressShare = 50;
    // The shared bar, or none.
    Progress* progress = nullptr;
};

// Walks a cache index file and hands every URL, LEAK and REDR record to its
// decoder. Returns the format version, or 0 when the file cannot be opened
// (after showing text 76 and the path).
double WalkCacheIndex(const QString& fileName, const WalkOptions& options, RecordSink& sink);

} // namespace vc
