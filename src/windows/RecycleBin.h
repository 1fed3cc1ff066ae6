#pragma once

#include "windows/RecycleIndex.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vc {

class EvidenceFiles;
class Reporter;

// One deleted file of a Recycle Bin folder of the volume.
struct DeletedFile {
    RecycleEntry entry;
    QString sid;             // the name of the bin's folder of the user ("S-1-5-21-...")
    QByteArray indexFile;    // the $I file, or INFO2
    QByteArray recycledFile; // the $R file or Dc<n> file where it lies, or would lie
    bool recycledPresent = false;
};

// What a walk of the bins found.
struct RecycleBinWalk {
    int indexFiles = 0; // $I files and INFO2 files read
    int failures = 0;   // of those, the ones that could not be read
};

// Walks the Recycle Bins at the root of a volume: $Recycle.Bin/<SID>/$I*
// (Windows Vista and later) with their $R files, RECYCLER/<SID>/INFO2
// (Windows NT to XP on NTFS) and RECYCLED/INFO2 (FAT volumes), every name
// matched without regard to letter case; each user's files in name order.
// A file that cannot be read is reported and passed over.
RecycleBinWalk walkRecycleBins(const EvidenceFiles& files, const QByteArray& volumeRoot,
                               const std::function<void(const DeletedFile&)>& found,
                               Reporter* report);

} // namespace vc
