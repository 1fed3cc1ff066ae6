#pragma once

#include "cache/RecordDecoders.h"
#include "platform/LoadContext.h"
#include "platform/Progress.h"

#include <QString>
#include <QStringList>

namespace vc {

class EvidenceFiles;
class IndexFileReader;

struct WalkOptions {
    // true: test every 128-byte block ("Full history"); false: follow the
    // chain of hash tables.
    bool linearScan = true;
    // The row filter, the bar with the walk's share of it, and where a file
    // that cannot be opened is reported.
    LoadContext context = {};
    // The examined machine's time zone, for the times a daily or weekly
    // history file keeps in local time; nullptr when it is not known.
    const QTimeZone* machineZone = nullptr;
    // Where the index file is read from; nullptr: this machine's folders.
    const EvidenceFiles* files = nullptr;

    const EvidenceFiles& evidenceFiles() const;
};

// True for the index file of a daily or weekly history folder (MSHist...),
// whose second time Windows writes in the machine's local time.
bool isDailyOrWeeklyHistory(const QString& indexFile);

// What the header of a cache index file states.
struct IndexHeader {
    double version = 0;     // the format version ("5.2" gives 5.2)
    int32_t statedSize = 0; // the file size the header states
};

// What the first bytes of a file (index_format::kHeaderLength of them) and
// its real size show that does not fit a cache index file, worded for the
// user: a signature that is not the cache index signature, a stated size
// beyond the real one, a stated size of 2^31 or more (which the walks read
// as negative, so that they find nothing). Empty for a sound header.
QStringList CacheIndexHeaderWarnings(const unsigned char* header, qint64 realSize);

// Opens an index file for a walk and reads its header. False when the file
// cannot be opened, after reporting text 76 and the path. A header that does
// not fit a cache index file is reported as warnings (each with ":", a line
// break and the path); the file is walked all the same.
bool OpenCacheIndex(IndexFileReader& file, const QString& fileName, Reporter* report,
                    IndexHeader& header);

// Walks a cache index file and hands every URL, LEAK and REDR record to its
// decoder; the records the filter keeps reach the sink. Returns the format
// version, or 0 when the file cannot be opened (after reporting text 76 and
// the path).
double WalkCacheIndex(const QString& fileName, const WalkOptions& options, RecordSink& sink);

} // namespace vc
