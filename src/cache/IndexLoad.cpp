#include "cache/IndexLoad.h"

namespace vc {

IndexLoadResult WalkIndexIntoWorkFile(WorkFile& workFile, const QString& indexFile,
                                      const WalkOptions& options) {
    IndexLoadResult result;
    if (!workFile.createOrEmpty())
        return result;
    result.workFileOpened = true;
    RecordSink sink;
    sink.WorkFile = workFile.device();
    result.version = WalkCacheIndex(indexFile, options, sink);
    result.recordCount = sink.RecordCount;
    workFile.close();
    return result;
}

} // namespace vc
