#pragma once

#include "platform/TimeValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vc {

// The three kinds of browser disk cache.
enum class CacheFormat {
    BlockFile, // Chrome's and Edge's block files: index, data_0 to data_3, f_* files
    Simple,    // Chrome's simple cache: one file per entry (_0, _s), index-dir/the-real-index
    Firefox,   // Firefox's cache2: entries/ (body, then metadata), index
};

// A stretch of a cached body inside a file of the cache. A body is one piece,
// or, for sparse data, several, each placed at its own position.
struct CacheBodyPiece {
    QByteArray file;   // the file that holds it
    qint64 offset = 0; // where it starts in that file
    qint64 length = 0;
    qint64 at = 0; // where it goes in the body
};

// One more field of an entry for the detail pane: an interface text as its
// name and a value (a text, or a time made into a text when shown).
struct CacheEntryDetail {
    int label = 0;
    QByteArray text;
    std::optional<TimeValue> time = std::nullopt;
};

// One entry of a browser's disk cache as its reader found it: what could be
// read, and a note for each part that could not.
struct WebCacheEntry {
    CacheFormat format = CacheFormat::BlockFile;
    // Names the entry inside its cache folder: the entry's block address
    // (eight hexadecimal digits) in a block-file cache, the entry's hash (16
    // hexadecimal digits) in a simple cache, the entry file's name in
    // Firefox's cache.
    QByteArray id;
    QByteArray key; // the cache key as stored
    QByteArray url; // the address the key names
    // When the browser stored the entry, last used it; when the server last
    // changed the resource, and when the entry expires.
    std::optional<TimeValue> created, lastUsed, serverModified, expires;
    // The response's status line and header lines, separated by '\n'; empty
    // when they could not be read.
    QByteArray headers;
    qint64 bodySize = -1; // -1: not known
    QByteArray bodyFile;  // the file that holds the body (the first piece's)
    std::vector<CacheBodyPiece> body;
    QStringList notes; // in the language of the moment of the read
    std::vector<CacheEntryDetail> details;

    // "blockfile:a0010038", "simple:0123456789abcdef", "cache2:<file name>":
    // what finds the entry again in its cache folder (readCacheEntry).
    QByteArray location() const;
};

// Where a reader hands each entry it read.
using CacheEntrySink = std::function<void(const WebCacheEntry&)>;

// How reading one cache folder went.
struct CacheReadOutcome {
    bool opened = false; // the cache's own files could be read (its index, its folder)
    int entries = 0;     // entries handed on
    int damaged = 0;     // of those, the ones with a note
    // What went wrong for the folder as a whole (the index unreadable, the
    // walk cut short); empty when nothing did.
    QStringList problems;
};

// The prefix of a location for each format, and back.
QByteArray cacheFormatTag(CacheFormat format);
std::optional<CacheFormat> cacheFormatOfTag(QByteArrayView tag);

} // namespace vc
