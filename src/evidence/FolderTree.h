#pragma once

#include "evidence/EvidenceFiles.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vc {

// One entry of a folder tree that is not a folder the walk descends into.
struct FolderTreeEntry {
    const QByteArray& name; // the bytes the file system gives
    const QByteArray& path; // absolute
    // What the folder's listing says of it: its type (for a symbolic link,
    // that of the file it points at), size, times, and whether it is a
    // deleted entry a disk image still lists.
    const EvidenceEntry& entry;
};

// What the walk does with an entry whose attributes cannot be read.
enum class UnreadableEntry {
    Skip,       // passes it over
    TryAsFolder // lists it when it opens as a folder
};

// Visits every entry below startFolder depth first, listing each folder
// through files (EvidenceFiles::list: the folders of this machine are opened
// read-only, without moving their access times where allowed). The entries
// of a folder come in the order the listing gives them (readdir, not
// sorted), and a sub-folder is walked where the listing meets it, so its
// entries are interleaved with the others. Paths are absolute (a relative
// start on this machine's folders is taken from the current folder, which
// is never changed).
//
// Symbolic links to folders, and links that lead nowhere, are neither
// followed nor visited (they could loop); a link to anything else is
// visited with the type of its target. A folder that is already being
// walked higher up (a bind mount onto itself, a folder entry of a crafted
// image that names one of its parents) is not entered again. A folder that
// cannot be listed adds nothing, silently, and neither does one whose path
// is longer than kMaxWalkPath bytes. A deleted folder (inside a disk image)
// is not entered: its entry may since name another folder. Every listing is read whole before the
// walk descends, so no folder stays open.
void WalkFolderTree(const EvidenceFiles& files, const QString& startFolder,
                    UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit);

// The same on the folders of this machine.
void WalkFolderTree(const QString& startFolder, UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit);

// The longest folder path the walk lists.
constexpr qsizetype kMaxWalkPath = 32768;

} // namespace vc
