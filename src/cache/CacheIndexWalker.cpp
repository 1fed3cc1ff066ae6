#include "cache/CacheIndexWalker.h"

#include "cache/IndexWalk.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

namespace vc {

using walk::Walk;
using walk::WalkProgress;

double WalkCacheIndex(const QString& fileName, const WalkOptions& options, RecordSink& sink) {
    IndexFileReader file(fileName);
    if (!file.open()) {
        showError(tx(76) + QStringLiteral(":\n") + fileName);
        return 0;
    }
    unsigned char header[8];
    file.ReadAt(24, 8, header);
    const double version = ParseCacheIndexVersion(header);
    const int32_t fileSize = LittleEndianValue(header + 4, 4);

    WalkProgress progress(options.progress, options.progressShare, fileSize);
    Walk walk(file, fileSize, version, sink);
    if (options.linearScan)
        walk.linearScan(progress);
    else
        walk.hashWalk(progress);
    progress.finish();
    file.close();
    return version;
}

} // namespace vc
