#pragma once

#include "platform/LoadContext.h"

#include <QByteArray>

namespace vc {

class EvidenceFiles;
class RecentCollection;
class RowSink;
class UserProfile;

// The Linux desktop's lists of recently used files, as rows of the
// recent-documents table (documents/RecentRow.h).

// ~/.local/share/recently-used.xbel (the freedesktop bookmark file of GTK
// and GNOME): one row per bookmark, its address, when it was added,
// modified (the recorded time) and visited, the applications that used it
// with their counts (their sum the access count), its MIME type as a note.
// At most kMaxRecentBookmarks are read.
void collectRecentlyUsedXbel(RecentCollection& collection, const EvidenceFiles& files,
                             const QByteArray& path);
constexpr int kMaxRecentBookmarks = 2000000;

// KDE's ~/.local/share/RecentDocuments/*.desktop: one row per entry file,
// the address its URL names, the entry file's own times, the application
// that last opened it.
void collectKdeRecentDocuments(RecentCollection& collection, const EvidenceFiles& files,
                               const QByteArray& folder);

// LibreOffice's user/registrymodifications.xcu: one row per document of
// its PickList (the Recent Documents menu), its place in the list, its
// title as a note.
void collectLibreOfficePickList(RecentCollection& collection, const EvidenceFiles& files,
                                const QByteArray& path);

// The recent-documents table of a Linux home in place of its rows: the
// three lists above, at their places in the home (LibreOffice also as snap
// and flatpak).
void loadLinuxRecentDocuments(const UserProfile& home, const LoadContext& context, RowSink& rows);

} // namespace vc
