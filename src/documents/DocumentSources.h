#pragma once

#include "documents/OpenSaveMru.h"
#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vc {

class RowSink;
class UserProfile;

// Row lines of the recent-documents table (every field of RecentRow.h), in
// this order: the files below the Recent folder and below the profile's
// AppData/Roaming/Microsoft/Windows/Recent (name cut 4, the ".lnk"; each
// shortcut with its target's facts); the open/save MRU lists of Windows XP
// (OpenSaveMRU); then the lists of Windows Vista to 11 in the profile's
// hive (Explorer\RecentDocs, ComDlg32\OpenSavePidlMRU,
// LastVisitedPidlMRU, LastVisitedPidlMRULegacy, LastVisitedMRU) and the
// automatic and custom jump lists of those Recent folders. Rows pass
// context.filter; the bar moves within context.share. An OpenSaveMRU value
// that is not text ends the reading with its message (nothing is reported
// then); files and values of the newer sources that are damaged give what
// could be read, with a note, and one message to context.report.
MruReadResult collectRecentDocuments(const UserProfile* profile, const QString& recentFolder,
                                     const LoadContext& context, QList<QByteArray>& list);

// The recent-documents table in place of its rows. An OpenSaveMRU value that
// is not text is reported and leaves the table as it was; false then.
bool LoadRecentDocuments(const UserProfile* profile, const QString& recentFolder,
                         const LoadContext& context, RowSink& rows);

// The folders of the temporary-files table, in walk order: the temporary
// folder, then Application Data's Microsoft/Word and Microsoft/Excel
// (matched without regard to letter case). Folders that cannot be placed
// are left out.
QStringList temporaryFolders(const UserProfile* profile);

// Row lines of the temporary-files table (name cut 0), the folders listed
// through files.
void collectTemporaryFiles(const QStringList& folders, QList<QByteArray>& list,
                           const RecallConditionSet* filter,
                           const EvidenceFiles& files = localEvidenceFiles());

// The temporary-files table of those folders in place of its rows.
void LoadTemporaryFiles(const QStringList& folders, const LoadContext& context, RowSink& rows,
                        const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
