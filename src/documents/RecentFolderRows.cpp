// Rows of the files in the Recent folders, shortcuts with their targets.
#include "documents/FolderWalk.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RecentSources.h"
#include "documents/RowLine.h"
#include "evidence/FolderTree.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"

namespace vc {

namespace {

constexpr qsizetype kLinkSuffix = 4; // ".lnk"

bool isLinkName(const QByteArray& name) {
    return name.size() > kLinkSuffix && name.right(kLinkSuffix).toLower() == ".lnk";
}

// The name a shortcut shows in Explorer: without its ".lnk" (any letter
// case); every other name stays whole.
QByteArray shownName(const QByteArray& name) {
    return isLinkName(name) ? name.chopped(kLinkSuffix) : name;
}

} // namespace

void collectRecentFolderRows(RecentCollection& collection) {
    const QByteArray source = evidenceText(cellInterfaceText(TextRecentFolder));
    for (const QString& folder : collection.recentFolders()) {
        const EvidenceFiles& files = collection.profile().files();
        WalkFolderTree(files, folder, UnreadableEntry::TryAsFolder,
                       [&](const FolderTreeEntry& entry) {
                           if (isSkippedFileName(entry.name))
                               return;
                           RecentRow row;
                           row.name = shownName(entry.name);
                           row.extension = extensionPart(entry.name);
                           row.path = entry.path;
                           row.source = source;
                           row.localFile = entry.path;
                           QString note;
                           if (entry.entry.type == EntryType::File && isLinkName(entry.name)) {
                               row.link = &collection.shortcutFile(row.localFile, &note);
                               row.note(note);
                               if (note.isEmpty() && !row.link->targetComplete)
                                   row.note(cellInterfaceText(TextReadInPart));
                           }
                           collection.add(row);
                       });
    }
}

} // namespace vc
