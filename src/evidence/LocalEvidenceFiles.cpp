#include "evidence/EvidenceFiles.h"

#include "platform/EvidenceOpen.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vc {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A file time as the folder tables show it: whole seconds, the empty text
// where there is no calendar date.
TimeValue secondsValue(qint64 seconds) {
    return TimeValue{TimeKind::UnixSeconds, TimeRule::Blank, seconds};
}

// The creation time ntfs-3g keeps as an extended attribute: the NTFS time
// (100-nanosecond steps since 1601) as a 64-bit number in the machine's byte
// order.
std::optional<qint64> ntfsCreationTime(int fd, const char* path) {
    quint64 filetime = 0;
    const ssize_t n = fd >= 0 ? fgetxattr(fd, "system.ntfs_crtime", &filetime, sizeof filetime)
                              : getxattr(path, "system.ntfs_crtime", &filetime, sizeof filetime);
    if (n != ssize_t(sizeof filetime) || filetime == 0)
        return std::nullopt;
    constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
    return qint64(filetime / 10000000u) - kSecondsFrom1601To1970;
}

EntryType typeOf(mode_t mode) {
    if (S_ISREG(mode))
        return EntryType::File;
    if (S_ISDIR(mode))
        return EntryType::Folder;
    return EntryType::Other;
}

// The entry of a name relative to a folder's descriptor (AT_FDCWD with an
// absolute path): its kind and size through a link, its times from statx.
// Reading attributes opens nothing and changes no access time.
std::optional<EvidenceEntry> entryAt(int folder, const char* name, const QByteArray& fileName) {
    struct statx own {};
    if (::statx(folder, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE, &own) != 0)
        return std::nullopt;
    EvidenceEntry e;
    e.name = fileName;
    e.symlink = S_ISLNK(own.stx_mode);
    struct statx sx {};
    if (::statx(folder, name, AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
        if (!e.symlink)
            return std::nullopt;
        e.type = EntryType::Other; // a link that leads nowhere
        return e;
    }
    e.type = typeOf(sx.stx_mode);
    e.size = qint64(sx.stx_size);
    e.fileId = sx.stx_ino;
    e.device = quint64(makedev(sx.stx_dev_major, sx.stx_dev_minor));
    if (sx.stx_mask & STATX_BTIME)
        e.created = secondsValue(qint64(sx.stx_btime.tv_sec));
    if (sx.stx_mask & STATX_MTIME)
        e.modified = secondsValue(qint64(sx.stx_mtime.tv_sec));
    if (sx.stx_mask & STATX_ATIME)
        e.accessed = secondsValue(qint64(sx.stx_atime.tv_sec));
    return e;
}

class LocalReader : public EvidenceReader {
public:
    LocalReader(int fd, qint64 size) : m_fd(fd), m_size(size) {}
    ~LocalReader() override { ::close(m_fd); }
    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 offset, char* out, qint64 count) override {
        if (offset < 0 || count < 0) {
            m_error = EINVAL;
            return -1;
        }
        for (;;) {
            const ssize_t n = ::pread(m_fd, out, size_t(count), off_t(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                m_error = errno;
            return n;
        }
    }
    QString errorString() const override { return systemError(m_error); }
    // The file system's own account of the data and holes of a sparse file;
    // where it gives none, every byte is data.
    qint64 dataFrom(qint64 offset) override {
        const off_t at = ::lseek(m_fd, off_t(offset), SEEK_DATA);
        if (at >= 0)
            return qint64(at);
        return errno == ENXIO ? m_size : offset;
    }
    qint64 dataEnd(qint64 offset) override {
        const off_t at = ::lseek(m_fd, off_t(offset), SEEK_HOLE);
        return at >= 0 ? std::min(qint64(at), m_size) : m_size;
    }

private:
    int m_fd;
    qint64 m_size;
    int m_error = 0;
};

class LocalEvidenceFiles : public EvidenceFiles {
public:
    bool isLocal() const override { return true; }

    std::optional<EvidenceEntry> entry(const QByteArray& path) const override {
        if (path.isEmpty())
            return std::nullopt;
        const qsizetype slash = path.lastIndexOf('/');
        std::optional<EvidenceEntry> e =
            entryAt(AT_FDCWD, path.constData(), slash >= 0 ? path.mid(slash + 1) : path);
        if (e && !e->created && e->type == EntryType::File)
            if (const std::optional<qint64> c = ntfsCreationTime(-1, path.constData()))
                e->created = secondsValue(*c);
        return e;
    }

    bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
              QString* error) const override {
        return listFolder(folder, entries, error, false);
    }

    bool listNames(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                   QString* error) const override {
        return listFolder(folder, entries, error, true);
    }

    std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const override {
        // Without blocking: a pipe put in the name's place is never waited
        // for, and it is refused below.
        const int fd = openEvidenceDescriptor(path, O_NONBLOCK);
        if (fd < 0) {
            if (error)
                *error = systemError(errno);
            return nullptr;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            if (error)
                *error = QStringLiteral("not a regular file");
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<LocalReader>(fd, qint64(info.st_size));
    }

    QString describe() const override { return QString(); }

private:
    // The entries of a folder; namesOnly takes a regular file's or a
    // folder's kind from the listing itself (its d_type), without a statx
    // of the entry; a link, or a file system that does not tell kinds, is
    // asked as for the full listing, so that links lead to their targets.
    static bool listFolder(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                           QString* error, bool namesOnly) {
        // Opened with O_NOATIME where allowed, so that listing a folder of
        // the evidence leaves its last-access time as it was.
        const int fd = openEvidenceDescriptor(folder, O_DIRECTORY | O_NONBLOCK);
        if (fd < 0) {
            if (error)
                *error = systemError(errno);
            return false;
        }
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            if (error)
                *error = systemError(errno);
            ::close(fd);
            return false;
        }
        while (const dirent* d = ::readdir(dir)) {
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
                continue;
            if (namesOnly && (d->d_type == DT_REG || d->d_type == DT_DIR)) {
                EvidenceEntry e;
                e.name = QByteArray(d->d_name);
                e.type = d->d_type == DT_REG ? EntryType::File : EntryType::Folder;
                entries.push_back(std::move(e));
                continue;
            }
            std::optional<EvidenceEntry> e = entryAt(fd, d->d_name, QByteArray(d->d_name));
            if (e && !namesOnly && !e->created && e->type == EntryType::File)
                if (const std::optional<qint64> c =
                        ntfsCreationTime(-1, joinPath(folder, e->name).constData()))
                    e->created = secondsValue(*c);
            if (!e) {
                // Listed but its attributes cannot be read: still an entry.
                e = EvidenceEntry{};
                e->name = QByteArray(d->d_name);
            }
            entries.push_back(std::move(*e));
        }
        ::closedir(dir);
        return true;
    }
};

} // namespace

const EvidenceFiles& localEvidenceFiles() {
    static const LocalEvidenceFiles files;
    return files;
}

} // namespace vc
