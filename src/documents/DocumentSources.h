#pragma once

#include "documents/OpenSaveMru.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vc {

// Row lines of the recent-documents table: the files below the Recent
// folder (name cut 4, the ".lnk"), then the open/save MRU lists. A value
// that is not text ends the reading with its message.
MruReadResult collectRecentDocuments(QList<QByteArray>& list);

// The folders of the temporary-files table, in walk order: the temporary
// folder, then Application Data's Microsoft/Word and Microsoft/Excel
// (matched without regard to letter case). Folders that cannot be placed
// are left out.
QStringList temporaryFolders();

// Row lines of the temporary-files table (name cut 0).
void collectTemporaryFiles(QList<QByteArray>& list);

} // namespace vc
