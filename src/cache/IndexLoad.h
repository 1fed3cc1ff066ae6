#pragma once

#include "cache/CacheIndexWalker.h"
#include "platform/WorkFile.h"

namespace vc {

struct IndexLoadResult {
    bool workFileOpened = false; // false: the work file could not be created
    double version = 0;          // format version, 0 when the index could not be read
    int recordCount = 0;         // records written to the work file
};

// Creates or empties the work file, walks one index file into it and closes
// it again (also when the walk fails). A work file that cannot be created is
// reported as text 149 and its path; an index file that cannot be opened as
// text 76 and its path.
IndexLoadResult WalkIndexIntoWorkFile(WorkFile& workFile, const QString& indexFile,
                                      const WalkOptions& options);

// Reports text 149 and the work file's path.
void reportWorkFileFailure(const WorkFile& workFile, Reporter* report);

} // namespace vc
