#include "evidence/FolderTree.h"

#include <QFileInfo>

#include <utility>
#include <vector>

namespace vc {

namespace {

// Who a folder is: the device and file number its entry gives (device 0
// inside a disk image); file 0 when unknown.
struct FolderId {
    quint64 device = 0;
    quint64 file = 0;
    bool operator==(const FolderId&) const = default;
};

// One folder on the way down: its listing, read whole, and how far the walk
// has come through it.
struct Frame {
    QByteArray path; // with a trailing "/"
    std::vector<EvidenceEntry> entries;
    std::size_t next = 0;
    FolderId id;
};

FolderId idOf(const EvidenceEntry& e) {
    return FolderId{e.device, e.fileId};
}

bool listFolder(const EvidenceFiles& files, const QByteArray& path, FolderId id, Frame* frame) {
    if (path.size() > kMaxWalkPath)
        return false;
    frame->path = path.endsWith('/') ? path : path + '/';
    frame->id = id;
    return files.list(path, frame->entries, nullptr);
}

bool onTheWayDown(const std::vector<Frame>& stack, FolderId id) {
    if (id.file == 0)
        return false;
    for (const Frame& f : stack)
        if (f.id == id)
            return true;
    return false;
}

// An entry the listing names but whose attributes could not be read.
bool unreadableEntry(const EvidenceEntry& e) {
    return e.type == EntryType::Other && !e.symlink && e.fileId == 0;
}

} // namespace

void WalkFolderTree(const EvidenceFiles& files, const QString& startFolder,
                    UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit) {
    if (startFolder.isEmpty())
        return;
    const QByteArray start = EvidenceFiles::pathBytes(
        files.isLocal() ? QFileInfo(startFolder).absoluteFilePath() : startFolder);
    std::vector<Frame> stack;
    {
        const std::optional<EvidenceEntry> self = files.entry(start);
        Frame top;
        if (listFolder(files, start, self ? idOf(*self) : FolderId{}, &top))
            stack.push_back(std::move(top));
    }

    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        const EvidenceEntry entry = std::move(frame.entries[frame.next++]);
        const QByteArray fullPath = frame.path + entry.name;

        if (unreadableEntry(entry)) {
            Frame sub;
            if (unreadable == UnreadableEntry::TryAsFolder &&
                listFolder(files, fullPath, FolderId{}, &sub))
                stack.push_back(std::move(sub));
            continue;
        }
        if (entry.symlink && (entry.type == EntryType::Folder || entry.fileId == 0))
            continue; // a link to a folder, or to nothing
        if (entry.type == EntryType::Folder) {
            // A deleted folder's entry may name a folder that has since
            // taken its place: its listing is not the deleted one's.
            if (entry.deleted)
                continue;
            const FolderId id = idOf(entry);
            Frame sub;
            if (!onTheWayDown(stack, id) && listFolder(files, fullPath, id, &sub))
                stack.push_back(std::move(sub));
            continue;
        }
        visit(FolderTreeEntry{entry.name, fullPath, entry});
    }
}

void WalkFolderTree(const QString& startFolder, UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit) {
    WalkFolderTree(localEvidenceFiles(), startFolder, unreadable, visit);
}

} // namespace vc
