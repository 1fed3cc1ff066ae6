// The catalogue of sources: one line per source, in the order of the tabs
// and of the recall. A new source declares itself in its feature's folder
// (its SourceSpec) and takes its line here.
#include "browsers/BrowserSourceSpecs.h"
#include "browsers/cache/CacheSourceSpec.h"
#include "cache/CacheSources.h"
#include "documents/DocumentSourceSpecs.h"
#include "evidence/Sources.h"
#include "thiscomputer/ThumbnailSourceSpec.h"
#include "windows/WindowsSourceSpecs.h"

namespace vc {

const std::vector<SourceSpec>& sourceCatalogue() {
    static const std::vector<SourceSpec> catalogue = {
        activitySource(),     historySource(),      cookieSource(),          linksSource(),
        recentSource(),       tempSource(),         webHistorySource(),      webDownloadsSource(),
        webCookiesSource(),   webCacheSource(),     foldersOpenedSource(),   programsRunSource(),
        typedEntriesSource(), deletedFilesSource(), windowsTimelineSource(), thumbnailsSource(),
    };
    Q_ASSERT(catalogue.size() == size_t(kSourceCount));
    return catalogue;
}

} // namespace vc
