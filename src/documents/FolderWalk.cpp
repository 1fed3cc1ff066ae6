#include "documents/FolderWalk.h"

#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "recall/RecallFilter.h"

#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>

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

std::optional<Frame> listFolder(const QByteArray& path) {
    DIR* dir = ::opendir(path.constData());
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

bool isSkippedFileName(const QByteArray& name) {
    const QByteArray upper = name.toUpper();
    if (upper == "DESKTOP.INI")
        return true;
    return upper.contains("EXCEL") && upper.contains(".XLB");
}

void CollectFolderFiles(QList<QByteArray>& list, const QString& folder, const QByteArray& rowTag,
                        int nameCut) {
    if (folder.isEmpty())
        return;
    std::vector<Frame> stack;
    if (auto top = listFolder(QFile::encodeName(QFileInfo(folder).absoluteFilePath())))
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
            // Attributes unreadable: treated as a folder, which lists only
            // when it really is one.
            if (auto sub = listFolder(fullPath);
                sub && !onTheWayDown(stack, sub->device, sub->inode))
                stack.push_back(std::move(*sub));
            continue;
        }
        if (S_ISLNK(entry.st_mode)) {
            struct stat target {};
            if (::stat(fullPath.constData(), &target) != 0 || S_ISDIR(target.st_mode))
                continue; // a link to a folder, or to nothing
        } else if (S_ISDIR(entry.st_mode)) {
            if (onTheWayDown(stack, entry.st_dev, entry.st_ino))
                continue;
            if (auto sub = listFolder(fullPath))
                stack.push_back(std::move(*sub));
            continue;
        }
        if (isSkippedFileName(name))
            continue;

        const QByteArray dates = FileDatesText(fullPath, '\t');
        const QByteArray line = makeRowLine(cutName(name, nameCut), extensionPart(name),
                                            shortDatesPart(dates), fullPath, rowTag);
        if (PassesRecallConditions(line, longDatesPart(dates)))
            list.append(line);
    }
}

} // namespace vc
