#pragma once

#include "documents/OpenSaveMru.h"
#include "platform/LoadContext.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vc {

class RowSink;

// Row lines of the recent-documents table: the files below the Recent
// folder (name cut 4, the ".lnk"), then the open/save MRU lists of the
// current profile's hive. A value that is not text ends the reading with its
// message.
MruReadResult collectRecentDocuments(const QString& recentFolder, QList<QByteArray>& list,
                                     const RecallConditionSet* filter);

// The recent-documents table in place of its rows. A list value that is not
// text is reported and leaves the table as it was; false then.
bool LoadRecentDocuments(const QString& recentFolder, const LoadContext& context, RowSink& rows);

// The folders of the temporary-files table, in walk order: the temporary
// folder, then Application Data's Microsoft/Word and Microsoft/Excel
// (matched without regard to letter case). Folders that cannot be placed
// are left out.
QStringList temporaryFolders();

// Row lines of the temporary-files table (name cut 0).
void collectTemporaryFiles(const QStringList& folders, QList<QByteArray>& list,
                           const RecallConditionSet* filter);

// The temporary-files table of those folders in place of its rows.
void LoadTemporaryFiles(const QStringList& folders, const LoadContext& context, RowSink& rows);

} // namespace vc
