#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <functional>

namespace vc {

// One entry of a folder tree that is not a folder the walk descends into.
struct FolderTreeEntry {
    const QByteArray& name; // the bytes the file system gives
    const QByteArray& path; // absolute
    // The file type (S_IFMT bits) of the entry; for a symbolic link, that
    // of the file it points at.
    mode_t type;
};

// What the walk does with an entry whose attributes cannot be read.
enum class UnreadableEntry {
    Skip,       // passes it over
    TryAsFolder // lists it when it opens as a folder
};

// Visits every entry below startFolder depth first. The entries of a folder
// come in the order the listing gives them (readdir, not sorted), and a
// sub-folder is walked where the listing meets it, so its entries are
// interleaved with the others. Paths are absolute; the process's current
// folder is never changed.
//
// Symbolic links to folders, and links that lead nowhere, are neither
// followed nor visited (they could loop); a link to anything else is
// visited with the type of its target. A folder that is already being
// walked higher up (a bind mount onto itself) is not entered again. A
// folder that cannot be listed adds nothing, silently. Every listing is
// read whole and closed before the walk descends, so depth is bounded only
// by the longest path the system accepts.
void WalkFolderTree(const QString& startFolder, UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit);

} // namespace vc
