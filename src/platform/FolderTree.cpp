#include "platform/FolderTree.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>
#include <vector>

namespace vc {

namespace {

// One folder on the way down: its listing, read whole and closed at once,
// and how far the walk has come through it.
struct Frame {
    QByteArray path; // with a trailing "/"
    std::vector<QByteArray> names;
    std::size_t next = 0;
    dev_t device = 0;
    ino_t inode = 0;
};

// The folder opened read-only without moving its last-access time where the
// system allows it (O_NOATIME needs the folder's owner or root; others get
// the plain open).
DIR* openFolderKeepingAccessTime(const QByteArray& path) {
    int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOATIME);
    if (fd < 0 && errno == EPERM)
        fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR* dir = ::fdopendir(fd);
    if (!dir)
        ::close(fd);
    return dir;
}

std::optional<Frame> listFolder(const QByteArray& path) {
    DIR* dir = openFolderKeepingAccessTime(path);
    if (!dir)
        return std::nullopt;
    Frame frame;
    frame.path = path.endsWith('/') ? path : path + '/';
    struct stat self {};
    if (::fstat(::dirfd(dir), &self) == 0) {
        frame.device = self.st_dev;
        frame.inode = self.st_ino;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        frame.names.push_back(name);
    }
    ::closedir(dir);
    return frame;
}

bool onTheWayDown(const std::vector<Frame>& stack, dev_t device, ino_t inode) {
    for (const Frame& f : stack)
        if (f.device == device && f.inode == inode)
            return true;
    return false;
}

} // namespace

void WalkFolderTree(const QString& startFolder, UnreadableEntry unreadable,
                    const std::function<void(const FolderTreeEntry& entry)>& visit) {
    if (startFolder.isEmpty())
        return;
    std::vector<Frame> stack;
    if (auto top = listFolder(QFile::encodeName(QFileInfo(startFolder).absoluteFilePath())))
        stack.push_back(std::move(*top));

    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next >= frame.names.size()) {
            stack.pop_back();
            continue;
        }
        const QByteArray name = frame.names[frame.next++];
        const QByteArray fullPath = frame.path + name;

        struct stat entry {};
        if (::lstat(fullPath.constData(), &entry) != 0) {
            if (unreadable == UnreadableEntry::TryAsFolder) {
                if (auto sub = listFolder(fullPath);
                    sub && !onTheWayDown(stack, sub->device, sub->inode))
                    stack.push_back(std::move(*sub));
            }
            continue;
        }
        if (S_ISDIR(entry.st_mode)) {
            if (onTheWayDown(stack, entry.st_dev, entry.st_ino))
                continue;
            if (auto sub = listFolder(fullPath))
                stack.push_back(std::move(*sub));
            continue;
        }
        if (S_ISLNK(entry.st_mode)) {
            struct stat target {};
            if (::stat(fullPath.constData(), &target) != 0 || S_ISDIR(target.st_mode))
                continue; // a link to a folder, or to nothing
            entry.st_mode = target.st_mode;
        }
        visit(FolderTreeEntry{name, fullPath, mode_t(entry.st_mode & S_IFMT)});
    }
}

} // namespace vc
