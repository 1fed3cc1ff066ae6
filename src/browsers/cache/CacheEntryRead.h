#pragma once

#include "browsers/cache/WebCacheEntry.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vc {

class EvidenceFiles;

// Reads one entry again from its cache folder and its location
// (WebCacheEntry::location(): "blockfile:a0010038", "simple:<hash>",
// "cache2:<file name>"), as a row of the Cache table names them: for the
// detail pane and the body. nullopt with *error when the location is none
// of these or names no entry.
std::optional<WebCacheEntry> readCacheEntry(const EvidenceFiles& files, const QByteArray& folder,
                                            const QByteArray& location, QString* error);

} // namespace vc
