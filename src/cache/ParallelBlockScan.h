#pragma once

#include "cache/CacheIndexWalker.h"
#include "cache/RecordDecoders.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vc {

// Where the parallel block scan puts its rows. appendText runs on the
// scanning threads and appends the output text of one accepted record's
// fields; write runs on the calling thread and gets those texts in file
// order, many records at a time.
struct ScanOutput {
    std::function<void(const RecordFields& fields, QByteArray& text)> appendText;
    std::function<void(const QByteArray& text)> write;
    int RecordCount = 0;
};

// The walk of WalkCacheIndex on the calling thread, each accepted line
// passed through output at once.
double WalkCacheIndexInto(const QString& fileName, const WalkOptions& options, ScanOutput& output);

// The block scan of a cache index file run on several threads: each takes
// the next stretch of the file and decodes it with a reader of its own,
// while the calling thread passes the texts on in file order. The rows,
// their order and the count are those of the scan on one thread. Only a few
// stretches per thread wait in memory, so memory stays flat however large
// the file is.
//
// Runs on the calling thread alone when threads is 1 or less, when the
// options carry recall conditions, or when time texts go through QLocale.
// Returns the format version, or 0 when the file cannot be opened (after
// reporting text 76 and the path). The options' progress is not moved.
double ScanCacheIndexInParallel(const QString& fileName, int threads, const WalkOptions& options,
                                ScanOutput& output);

} // namespace vc
