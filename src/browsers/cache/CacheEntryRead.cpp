#include "browsers/cache/CacheEntryRead.h"

#include "browsers/cache/BlockFileCache.h"
#include "browsers/cache/FirefoxCache.h"
#include "browsers/cache/SimpleCache.h"
#include "language/InterfaceTexts.h"

namespace vc {

std::optional<WebCacheEntry> readCacheEntry(const EvidenceFiles& files, const QByteArray& folder,
                                            const QByteArray& location, QString* error) {
    const qsizetype colon = location.indexOf(':');
    const std::optional<CacheFormat> format =
        colon < 0 ? std::nullopt : cacheFormatOfTag(QByteArrayView(location).first(colon));
    const QByteArray id = location.mid(colon + 1);
    if (!format || folder.isEmpty()) {
        if (error)
            *error = tx(TextEntryUnreadable);
        return std::nullopt;
    }
    switch (*format) {
    case CacheFormat::BlockFile:
        return readBlockFileEntry(files, folder, id, error);
    case CacheFormat::Simple:
        return readSimpleEntry(files, folder, id, error);
    case CacheFormat::Firefox:
        break;
    }
    return readFirefoxEntry(files, folder, id, error);
}

} // namespace vc
