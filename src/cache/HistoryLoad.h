#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"

#include <QStringList>

class QTimeZone;

namespace vc {

class RowSink;
class WorkFile;

// The History table of a history folder's index files, in the order given:
// each file is walked into the work file and its rows delivered line by
// line, after a table was emptied. Without allFiles only the first file is read ("Full
// history" unchecked). The first file gets half of the context's share of the
// bar, every other file half of that divided by their number; each spends
// half of its part on the walk and half on the fill. False when the work file
// could not be created (reported); the files read before stay in the table.
// machineZone (the examined machine's zone, when known) turns the times
// that daily and weekly history files keep in local time into UTC. The
// files are read through files.
bool LoadHistory(const QStringList& indexFiles, bool linearScan, bool allFiles, WorkFile& workFile,
                 const LoadContext& context, RowSink& rows, const QTimeZone* machineZone = nullptr,
                 const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
