#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QHash>

#include <optional>

namespace vc {

class EvidenceFiles;

// Chrome's simple cache (docs/formats/chrome-simple-cache.md): one file per
// entry, named by the entry's 64-bit hash in 16 hexadecimal digits and "_0"
// (the key, the body, then the response information, each stream closed by
// an end record), sparse data in a file ending in "_s", and the entries'
// last-use times in index-dir/the-real-index. Every size and count read is
// checked against the file it lies in.

// True when folder holds a simple cache: index-dir/the-real-index, or an
// "index" file with the simple cache's signature.
bool isSimpleCache(const EvidenceFiles& files, const QByteArray& folder);

// The last-use time of each entry hash the index lists (microseconds since
// 1601); empty when the index cannot be read, *problem saying why (empty
// when it is only absent). At most a million entries, as Chrome itself
// reads; with only, just that hash's.
QHash<quint64, qint64> readSimpleIndex(const EvidenceFiles& files, const QByteArray& folder,
                                       QString* problem,
                                       std::optional<quint64> only = std::nullopt);

// Every "_0" file of the folder, in the order of their names, each with the
// sparse data of its "_s" file when there is one.
CacheReadOutcome readSimpleCache(const EvidenceFiles& files, const QByteArray& folder,
                                 const CacheEntrySink& sink);

// The one entry of that hash (its id: 16 hexadecimal digits).
std::optional<WebCacheEntry> readSimpleEntry(const EvidenceFiles& files, const QByteArray& folder,
                                             const QByteArray& id, QString* error);

} // namespace vc
