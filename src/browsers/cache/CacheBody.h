#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vc {

class EvidenceFiles;

// The most of a body read, and the most made of it by decompression: far
// more than any cached picture or page, little enough that a hostile entry
// cannot exhaust memory.
constexpr qint64 kMaxCachedBodyBytes = qint64(256) << 20;

// The body of a cache entry, for the preview and "Copy to...".
struct CachedBody {
    // The body decompressed where the headers say it is stored compressed;
    // as stored when it is not, or when it could not be decompressed.
    QByteArray bytes;
    QByteArray encoding;  // the Content-Encoding header ("gzip", "br"); empty for none
    bool decoded = false; // bytes were decompressed
    // Empty when the body was read (and decompressed where it had to be);
    // else what failed, worded for the user with the file concerned.
    QString error;
};

// What became of a decompression.
enum class ContentDecoding { Done, Damaged, TooLarge, Unknown };

// Undoes a Content-Encoding: "gzip" (or "x-gzip") and "deflate" with zlib
// ("deflate" with or without zlib's wrapper, as servers send both), "br"
// with brotli, "identity" as it is; several codings, separated by commas,
// undone from the last. At most maxBytes are made: a larger body gives
// TooLarge and no bytes.
ContentDecoding decodeContent(QByteArrayView encoding, QByteArrayView stored, qint64 maxBytes,
                              QByteArray& out);

// Reads the body of an entry: its pieces, each from its file with
// positioned reads (the gaps of sparse data as zero bytes), then
// decompressed. A body larger than maxBytes is not read.
CachedBody readCachedBody(const EvidenceFiles& files, const WebCacheEntry& entry,
                          qint64 maxBytes = kMaxCachedBodyBytes);
// The body of the entry a row of the Cache table names (its cache folder
// and location cells), read again from the cache.
CachedBody readCachedBodyOfRow(const EvidenceFiles& files, const QList<QByteArray>& cells,
                               qint64 maxBytes = kMaxCachedBodyBytes);

} // namespace vc
