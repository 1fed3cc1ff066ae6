#include "cache/CacheIndexWalker.h"

#include "cache/IndexWalk.h"
#include "language/InterfaceTexts.h"
#include "platform/Reporter.h"

namespace vc {

using walk::Walk;
using walk::WalkProgress;

bool OpenCacheIndex(IndexFileReader& file, const QString& fileName, Reporter* report,
                    IndexHeader& header) {
    if (!file.open()) {
        if (report)
            report->error(tx(TextCannotOpenIndexFile) + QStringLiteral(":\n") + fileName);
        return false;
    }
    unsigned char bytes[8];
    file.ReadAt(index_format::kVersionOffset, 8, bytes);
    header.version = ParseCacheIndexVersion(bytes);
    header.statedSize = LittleEndianValue(bytes + 4, 4);
    return true;
}

double WalkCacheIndex(const QString& fileName, const WalkOptions& options, RecordSink& sink) {
    IndexFileReader file(fileName);
    IndexHeader header;
    if (!OpenCacheIndex(file, fileName, options.context.report, header))
        return 0;
    sink.filter = options.context.filter;
    WalkProgress progress(options.context.progress, options.context.share, header.statedSize);
    Walk walk(file, header.statedSize, header.version, sink);
    if (options.linearScan)
        walk.linearScan(progress);
    else
        walk.hashWalk(progress);
    progress.finish();
    file.close();
    return header.version;
}

} // namespace vc
