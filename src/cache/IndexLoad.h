#pragma once

#include "app/WorkFile.h"
#include "cache/CacheIndexWalker.h"

namespace vc {

struct IndexLoadResult {
    bool workFileOpened = false; // false: the work file could not be created
    double version = 0;          // format version, 0 when the index could not be read
    int recordCount = 0;         // records written to the work file
};

// Creates or empties the work file, walks one index file into it and closes
// it again (also when the walk fails). The caller reports a work file that
// cannot be opened (text 149).
IndexLoadResult WalkIndexIntoWorkFile(WorkFile& workFile, const QString& indexFile,
                                      const WalkOptions& options);

} // namespace vc
