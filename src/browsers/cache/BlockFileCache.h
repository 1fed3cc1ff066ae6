#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>

#include <optional>

namespace vc {

class EvidenceFiles;

// Chrome's and Edge's block-file disk cache (docs/formats/chrome-block-file-cache.md):
// the "index" file's hash table, whose buckets chain the entries through
// the block files data_1, data_2... (data_0 holds the entries' ranking
// nodes), with large data in files of their own (f_000001...). Every
// address, size and count read from the files is checked against the files;
// each file is opened once and read in place, a block at a time.

// True when folder holds a block-file cache (its "index" starts with the
// block-file index's signature).
bool isBlockFileCache(const EvidenceFiles& files, const QByteArray& folder);

// Every entry the index's hash table reaches, the buckets' first entries and
// then those their chains lead to, in the order of their addresses, each
// handed to sink once. An entry whose blocks, headers
// or body lie in a missing or damaged file is handed on with what could be
// read and a note; an index that cannot be read gives no entries and a
// problem.
CacheReadOutcome readBlockFileCache(const EvidenceFiles& files, const QByteArray& folder,
                                    const CacheEntrySink& sink);

// The one entry at a block address (its id: eight hexadecimal digits);
// nullopt with *error when the address names no entry block.
std::optional<WebCacheEntry> readBlockFileEntry(const EvidenceFiles& files,
                                                const QByteArray& folder, const QByteArray& id,
                                                QString* error);

} // namespace vc
