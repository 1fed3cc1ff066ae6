#include "browsers/cache/WebCacheEntry.h"

namespace vc {

QByteArray cacheFormatTag(CacheFormat format) {
    switch (format) {
    case CacheFormat::BlockFile:
        return QByteArrayLiteral("blockfile");
    case CacheFormat::Simple:
        return QByteArrayLiteral("simple");
    case CacheFormat::Firefox:
        break;
    }
    return QByteArrayLiteral("cache2");
}

std::optional<CacheFormat> cacheFormatOfTag(QByteArrayView tag) {
    for (CacheFormat format : {CacheFormat::BlockFile, CacheFormat::Simple, CacheFormat::Firefox})
        if (tag == cacheFormatTag(format))
            return format;
    return std::nullopt;
}

QByteArray WebCacheEntry::location() const {
    return cacheFormatTag(format) + ':' + id;
}

} // namespace vc
