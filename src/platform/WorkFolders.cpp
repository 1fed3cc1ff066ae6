#include "platform/WorkFolders.h"

#include "platform/FileDescriptor.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vc {

namespace {

// True when no process of that number exists (a process of another user
// answers EPERM: it exists).
bool processIsGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Removes the files of an opened work folder; false (nothing more removed)
// when an entry is a folder or cannot be removed.
bool removeFiles(int folder) {
    const int listing = ::dup(folder);
    if (listing < 0)
        return false;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return false;
    }
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        struct stat info {};
        if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(info.st_mode) ||
            ::unlinkat(folder, name, 0) != 0) {
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    return ok;
}

// Removes one candidate folder of tempFolder (already known by name to be a
// work folder of a process that is gone) when it passes the other checks.
bool removeIfStale(int temp, const QByteArray& name) {
    struct stat before {};
    if (::fstatat(temp, name.constData(), &before, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(before.st_mode) || before.st_uid != ::geteuid())
        return false;
    const FileDescriptor folder(
        ::openat(temp, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {};
    if (folder.get() < 0 || ::fstat(folder.get(), &opened) != 0 || opened.st_ino != before.st_ino ||
        opened.st_dev != before.st_dev || opened.st_uid != ::geteuid())
        return false;
    // A lock held by a live process (in another PID namespace, say) keeps
    // the folder. The lock taken here is let go when the descriptor closes.
    const QByteArray lockName = QFile::encodeName(kWorkFolderLockName);
    const FileDescriptor lock(
        ::openat(folder.get(), lockName.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (lock.get() >= 0 && ::flock(lock.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    if (lock.get() < 0 && errno != ENOENT)
        return false;
    return removeFiles(folder.get()) && ::unlinkat(temp, name.constData(), AT_REMOVEDIR) == 0;
}

} // namespace

QString workFolderPrefix(pid_t pid) {
    return QStringLiteral("vellacord-%1-").arg(pid);
}

int RemoveStaleWorkFolders(const QString& tempFolder) {
    static const QRegularExpression pattern(
        QStringLiteral("^vellacord-([0-9]{1,10})-[A-Za-z0-9]{6}$"));
    const FileDescriptor temp(
        ::open(QFile::encodeName(tempFolder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (temp.get() < 0)
        return 0;
    const int listing = ::dup(temp.get());
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return 0;
    }
    QList<QByteArray> candidates;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(name));
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const qint64 pid = match.captured(1).toLongLong(&ok);
        if (ok && pid != ::getpid() && pid <= 0x7fffffff && processIsGone(pid_t(pid)))
            candidates.append(name);
    }
    ::closedir(dir);
    int removed = 0;
    for (const QByteArray& name : candidates)
        removed += removeIfStale(temp.get(), name) ? 1 : 0;
    return removed;
}

} // namespace vc
