#include "browsers/cache/CacheLoad.h"

#include "browsers/cache/BlockFileCache.h"
#include "browsers/cache/CacheRows.h"
#include "browsers/cache/FirefoxCache.h"
#include "browsers/cache/SimpleCache.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"
#include "platform/Reporter.h"
#include "tables/RowSink.h"

namespace vc {

namespace {

// "text:", a line break, the folder, and what went wrong on the lines after.
QString reportText(int text, const QByteArray& folder, const QStringList& problems) {
    QString message = tx(text) + QStringLiteral(":\n") + EvidenceFiles::pathText(folder);
    for (const QString& problem : problems)
        message += QLatin1Char('\n') + problem;
    return message;
}

} // namespace

CacheReadOutcome readCacheFolder(const EvidenceFiles& files, const QByteArray& folder,
                                 CacheFormat format, const CacheEntrySink& sink) {
    switch (format) {
    case CacheFormat::BlockFile:
        return readBlockFileCache(files, folder, sink);
    case CacheFormat::Simple:
        return readSimpleCache(files, folder, sink);
    case CacheFormat::Firefox:
        break;
    }
    return readFirefoxCache(files, folder, sink);
}

BrowserCacheLoadResult loadBrowserCacheFolders(const EvidenceFiles& files,
                                               const QList<BrowserCacheFolder>& caches,
                                               const LoadContext& context, RowSink& sink) {
    BrowserCacheLoadResult result;
    result.caches = int(caches.size());
    CacheRowWriter writer(sink, context.filter);
    const RowBatch batch(sink);
    const int start = progressStart(context.progress);
    for (qsizetype i = 0; i < caches.size(); ++i) {
        const BrowserCacheFolder& cache = caches[i];
        writer.setSource(cache);
        const CacheReadOutcome outcome =
            readCacheFolder(files, cache.folder, cache.format,
                            [&writer](const WebCacheEntry& entry) { writer.write(entry); });
        if (!outcome.opened || !outcome.problems.isEmpty()) {
            ++result.failures;
            if (context.report && !outcome.opened)
                context.report->error(
                    reportText(TextCacheUnreadable, cache.folder, outcome.problems));
            else if (context.report)
                context.report->warning(
                    reportText(TextCachePartlyRead, cache.folder, outcome.problems));
        }
        context.noteInputRead();
        if (context.progress)
            context.progress->raiseTo(start + int(context.share * (i + 1) / caches.size()));
    }
    if (context.progress)
        context.progress->raiseTo(start + context.share);
    result.rows = writer.rows();
    return result;
}

BrowserCacheLoadResult loadBrowserCaches(const EvidenceFiles& files,
                                         const QByteArray& profileFolder,
                                         const LoadContext& context, RowSink& sink) {
    return loadBrowserCacheFolders(files, findBrowserCaches(files, profileFolder), context, sink);
}

} // namespace vc
