#pragma once

#include "windows/WindowsRowWriter.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace vc {

class EvidenceFiles;
class RowSink;
class TableModel;
struct LoadContext;

// Loads the Deleted files table of a volume: every entry of its Recycle
// Bins (RecycleBin.h), one row each, in the order of the bins, the users'
// folders and their files' names. userNames maps a SID (any letter case) to
// the user it names (the machine's ProfileList); without an entry the User
// column shows the SID. Rows are appended to the sink (the caller starts the
// fill); each is offered to the context's filter with the deletion time as
// its date. A bin's file that cannot be read is reported and counted.
WindowsLoadResult loadDeletedFiles(const EvidenceFiles& files, const QByteArray& volumeRoot,
                                   const QHash<QString, QString>& userNames,
                                   const LoadContext& context, RowSink& sink);

// The recycled file ($R..., Dc...) of a row of that table, for the preview
// and "Copy to...": its path when it is still in the bin, else nullopt.
std::optional<QByteArray> recycledFileOfRow(const EvidenceFiles& files, const TableModel& table,
                                            int row);

} // namespace vc
