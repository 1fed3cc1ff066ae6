#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"

#include <QString>

namespace vc {

class RowSink;
class WorkFile;

struct ActivityLoad {
    bool workFileOpened = false; // false: nothing was read and the table is unchanged
    double version = 0;          // the index file's format version, 0 when it cannot be read
};

// The caption of the Activity tab's index file panel: the index file's path
// and its format version ("…/index.dat. Version: 5.2").
QString IndexFileCaption(const QString& indexFile, double version);

// The Activity table of one cache index file: the file is walked (block by
// block, or along its hash tables) into the work file, which is then read
// back line by line into the rows (a table's rows are replaced). The walk
// moves the bar by half of the context's share, the fill by the other half.
// The index file is read through files.
ActivityLoad LoadActivity(const QString& indexFile, bool linearScan, WorkFile& workFile,
                          const LoadContext& context, RowSink& rows,
                          const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
