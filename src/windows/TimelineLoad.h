#pragma once

#include "windows/WindowsRowWriter.h"

#include <QByteArray>
#include <QList>

namespace vc {

class EvidenceFiles;
class KnownFolderLocations;
class RowSink;
class SqliteDatabase;
struct LoadContext;

// The activity databases of a user: AppData/Local/ConnectedDevicesPlatform/
// <account>/ActivitiesCache.db of the profile folder, names matched without
// regard to letter case, in name order.
QList<QByteArray> findActivityDatabases(const EvidenceFiles& files,
                                        const QByteArray& profileFolder);

// Loads the Windows Timeline table of one user: one row per activity of the
// Activity table of each database, read from a private copy taken with its
// write-ahead log, in the order of the table. Rows are appended to the sink
// (the caller starts the fill); each is offered to the context's filter with
// its start as its date. A database that cannot be copied or opened, or that
// breaks off, gives the rows that could be read and a report naming it.
WindowsLoadResult loadTimeline(const EvidenceFiles& files, const QByteArray& profileFolder,
                               const KnownFolderLocations& locations, const LoadContext& context,
                               RowSink& sink);

// The rows of one opened database into the writer; false with *error when
// the Activity table is missing or the reading broke off.
bool readActivityRows(SqliteDatabase& database, const KnownFolderLocations& locations,
                      WindowsRowWriter& writer, QString* error);

} // namespace vc
