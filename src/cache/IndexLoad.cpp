#include "cache/IndexLoad.h"

#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"

namespace vc {

IndexLoadResult WalkIndexIntoWorkFile(WorkFile& workFile, const QString& indexFile,
                                      const WalkOptions& options) {
    IndexLoadResult result;
    if (!workFile.createOrEmpty()) {
        reportWorkFileFailure(workFile, options.context.report);
        return result;
    }
    result.workFileOpened = true;
    RecordSink sink;
    sink.WorkFile = workFile.device();
    // The table shows the times in the zone of the moment.
    sink.timeCells = true;
    result.version = WalkCacheIndex(indexFile, options, sink);
    result.recordCount = sink.RecordCount;
    workFile.close();
    return result;
}

void reportWorkFileFailure(const WorkFile& workFile, Reporter* report) {
    if (report)
        report->error(tx(TextWorkFileError) + QStringLiteral(":\n") + workFile.fileName());
}

} // namespace vc
