#include "cache/HistoryIndexSearch.h"

#include "platform/FolderTree.h"

#include <QFile>

#include <sys/stat.h>

namespace vc {

void FindIndexFiles(QStringList& list, const QString& startFolder) {
    WalkFolderTree(startFolder, UnreadableEntry::Skip, [&list](const FolderTreeEntry& entry) {
        // Only regular files: a device or a pipe of that name would make the
        // walker wait or read forever.
        if (S_ISREG(entry.type) && entry.name.toUpper() == "INDEX.DAT")
            list.append(QFile::decodeName(entry.path));
    });
}

} // namespace vc
