#pragma once

namespace vc {

class RecentCollection;

// The readers of the recent-documents sources; each adds its rows to the
// collection in its own order.

// Every file below the Recent folders (a shortcut's name without its
// ".lnk"), with the target facts of each shortcut.
void collectRecentFolderRows(RecentCollection& collection);

// Explorer\RecentDocs and its per-extension subkeys.
void collectRecentDocsRows(RecentCollection& collection);

// ComDlg32: OpenSavePidlMRU, LastVisitedPidlMRU (and its Legacy twin),
// LastVisitedMRU.
void collectDialogMruRows(RecentCollection& collection);

// The automatic, then the custom jump lists of the Recent folders.
void collectJumpListRows(RecentCollection& collection);

} // namespace vc
