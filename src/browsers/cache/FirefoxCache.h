#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QHash>

#include <optional>

namespace vc {

class EvidenceFiles;

// Firefox's cache2 (docs/formats/firefox-cache2.md): a folder "entries" with
// one file per entry, named by the SHA-1 of its key in 40 hexadecimal
// digits: the body first, then the metadata (hashes of the body's chunks, a
// header with the times, the key, and the elements: name and value pairs,
// the response headers among them), and last the metadata's offset. Entries
// Firefox has let go wait in "doomed" until it deletes them. The "index"
// file lists every entry's hash with a few of its fields. Every offset,
// size and count read is checked against the file.

// One record of cache2/index.
struct FirefoxIndexRecord {
    quint32 frecency = 0;
    quint32 flags = 0;       // initialized, anonymous, removed, ... and the size in KiB
    quint8 contentType = 0;  // 0 unknown, 1 other, 2 JavaScript, 3 image, 4 media, ...
    quint32 lastFetched = 0; // seconds since 1970, from version 13 on; else 0
    quint32 fetchCount = 0;  // from version 13 on
};

// True when folder (a profile's "cache2") holds an "entries" folder.
bool isFirefoxCache(const EvidenceFiles& files, const QByteArray& folder);

// The records of cache2/index, by the hash in 40 upper-case hexadecimal
// digits (the entry files' names); empty when there is no index, *problem
// saying why when it cannot be read.
QHash<QByteArray, FirefoxIndexRecord> readFirefoxIndex(const EvidenceFiles& files,
                                                       const QByteArray& folder, QString* problem);

// Every file of "entries", then of "doomed", in the order of their names,
// then each hash of the index whose entry file is gone. A file that is no
// cache entry is handed on with a note.
CacheReadOutcome readFirefoxCache(const EvidenceFiles& files, const QByteArray& folder,
                                  const CacheEntrySink& sink);

// The one entry of that id (the file's name, "doomed/" before it for an
// entry of "doomed").
std::optional<WebCacheEntry> readFirefoxEntry(const EvidenceFiles& files, const QByteArray& folder,
                                              const QByteArray& id, QString* error);

} // namespace vc
