#include "cache/HistoryIndexSearch.h"

#include "evidence/FolderTree.h"

#include <QFile>

namespace vc {

void FindIndexFiles(QStringList& list, const QString& startFolder, const EvidenceFiles& files) {
    WalkFolderTree(
        files, startFolder, UnreadableEntry::Skip, [&list](const FolderTreeEntry& entry) {
            // Only regular files: a device or a pipe of that name would make the
            // walker wait or read forever.
            if (entry.entry.type == EntryType::File && entry.name.toUpper() == "INDEX.DAT")
                list.append(QFile::decodeName(entry.path));
        });
}

} // namespace vc
