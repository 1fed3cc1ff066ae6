#pragma once

#include "browsers/cache/CacheFolders.h"
#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QList>

namespace vc {

class EvidenceFiles;
class RowSink;
struct LoadContext;

// What a load of the Cache table came to.
struct BrowserCacheLoadResult {
    int rows = 0;     // rows delivered to the sink (after the row filter)
    int caches = 0;   // cache folders read
    int failures = 0; // of those, the ones read only in part or not at all
};

// Reads one cache folder of a known format.
CacheReadOutcome readCacheFolder(const EvidenceFiles& files, const QByteArray& folder,
                                 CacheFormat format, const CacheEntrySink& sink);

// Loads the Cache table from every disk cache of the Windows user profile
// folder (findBrowserCaches): one row per entry, in the order of the
// caches and, within one, as its reader walks it. Nothing of the caches is
// copied or written; every file is read in place through files. A cache
// that cannot be read gives a report naming its folder (an error); one
// read only in part gives the rows that could be read and a warning. Every
// row is offered to the context's filter with its whole text and its last
// use as its date. The context's progress bar moves over its share as the
// caches are done.
BrowserCacheLoadResult loadBrowserCaches(const EvidenceFiles& files,
                                         const QByteArray& profileFolder,
                                         const LoadContext& context, RowSink& sink);

// The same for a given list of cache folders.
BrowserCacheLoadResult loadBrowserCacheFolders(const EvidenceFiles& files,
                                               const QList<BrowserCacheFolder>& caches,
                                               const LoadContext& context, RowSink& sink);

} // namespace vc
