#pragma once

#include <QByteArray>
#include <QList>

namespace vc {

class Profile;
struct LoadContext;

// Row lines of the recent-documents table (layout: RecentRow.h, 19 fields)
// from a Windows profile. Neither reads a global nor opens a window: rows
// pass context.filter (when set) with their last-access text, the progress
// bar moves forward within context.share, and problems go to
// context.report, gathered into one message per kind that names every file
// or registry value concerned. Evidence is only read.

// Every file below the profile's Recent folders (the folder the hive names,
// and AppData/Roaming/Microsoft/Windows/Recent when it exists, each once),
// in walk order: name without its last four characters, extension, the
// file's times, its path, source "Recent folder"; each shortcut adds its
// target facts. Takes the place of the plain folder walk of the Recent
// folder.
void collectRecentFolderDocuments(const Profile& profile, const LoadContext& context,
                                  QList<QByteArray>& rowLines);

// The recent documents of Windows Vista and later, in this order:
// Explorer\RecentDocs (the key, then its per-extension subkeys),
// ComDlg32\OpenSavePidlMRU (each subkey), LastVisitedPidlMRU,
// LastVisitedPidlMRULegacy, LastVisitedMRU, then the automatic and the
// custom jump lists of the Recent folders. Lists come most recent first.
void collectModernRecentDocuments(const Profile& profile, const LoadContext& context,
                                  QList<QByteArray>& rowLines);

} // namespace vc
