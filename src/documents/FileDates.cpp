#include "documents/FileDates.h"

#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vc {

namespace {

// The creation time ntfs-3g keeps as an extended attribute: the NTFS time
// (100-nanosecond steps since 1601) as a 64-bit number in the machine's
// byte order.
std::optional<qint64> ntfsCreationTime(int fd) {
    quint64 filetime = 0;
    const ssize_t n = fgetxattr(fd, "system.ntfs_crtime", &filetime, sizeof filetime);
    if (n != ssize_t(sizeof filetime) || filetime == 0)
        return std::nullopt;
    constexpr qint64 kSecondsFrom1601To1970 = 11644473600;
    return qint64(filetime / 10000000u) - kSecondsFrom1601To1970;
}

// The cell of a file time: the stored seconds, shown as the empty text
// where they have no calendar date (before 1970); empty when not known.
QByteArray timeCellOf(const std::optional<qint64>& seconds) {
    if (!seconds)
        return QByteArray();
    return timeCell(TimeValue{TimeKind::UnixSeconds, TimeRule::Blank, *seconds});
}

} // namespace

std::optional<FileTimes> readFileTimes(const QByteArray& path) {
    struct stat kind {};
    if (::stat(path.constData(), &kind) != 0)
        return std::nullopt;
    // Only regular files are opened: opening a pipe or a device could block
    // or act on the device. Their times come from the listing alone.
    const bool regular = S_ISREG(kind.st_mode);
    int fd = -1;
    if (regular) {
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
    }
    FileTimes times;
    struct statx sx {};
    const int rc =
        regular ? ::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx)
                : ::statx(AT_FDCWD, path.constData(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx);
    if (rc != 0) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    if (sx.stx_mask & STATX_BTIME)
        times.created = qint64(sx.stx_btime.tv_sec);
    else if (fd >= 0)
        times.created = ntfsCreationTime(fd);
    if (sx.stx_mask & STATX_ATIME)
        times.accessed = qint64(sx.stx_atime.tv_sec);
    if (sx.stx_mask & STATX_MTIME)
        times.modified = qint64(sx.stx_mtime.tv_sec);
    if (fd >= 0)
        ::close(fd);
    return times;
}

namespace {

// C, separator, A, "|", A of two cells.
QByteArray datesText(const QByteArray& created, const QByteArray& accessed, char separator) {
    QByteArray result = created;
    result += separator;
    result += accessed;
    result += '|';
    result += accessed;
    return result;
}

QByteArray timeCellOf(const std::optional<TimeValue>& value) {
    return value ? timeCell(*value) : QByteArray();
}

} // namespace

QByteArray FileDatesText(const QByteArray& path, char separator) {
    const auto times = readFileTimes(path);
    if (!times)
        return QByteArray(1, separator);
    return datesText(timeCellOf(times->created), timeCellOf(times->accessed), separator);
}

QByteArray FileDatesText(const EvidenceFiles& files, const QByteArray& path,
                         const EvidenceEntry& entry, char separator) {
    if (files.isLocal()) {
        // Attributes that could not be read (a link that leads nowhere, a
        // folder that may be listed but not searched) give no times; nor
        // does a regular file that cannot be opened, as a reader of it
        // would find.
        if (entry.fileId == 0)
            return QByteArray(1, separator);
        if (entry.type == EntryType::File && !files.open(path, nullptr))
            return QByteArray(1, separator);
    }
    return datesText(timeCellOf(entry.created), timeCellOf(entry.accessed), separator);
}

QByteArray FileDatesText(const EvidenceFiles& files, const QByteArray& path, char separator) {
    const std::optional<EvidenceEntry> entry = files.entry(path);
    if (!entry)
        return QByteArray(1, separator);
    return FileDatesText(files, path, *entry, separator);
}

QByteArray FileDatesText(const QString& path, char separator) {
    return FileDatesText(QFile::encodeName(path), separator);
}

QStringList evidenceEntryFacts(const EvidenceFiles& files, const QByteArray& path) {
    QStringList facts;
    if (files.isLocal() || path.isEmpty())
        return facts;
    const std::optional<EvidenceEntry> entry = files.entry(path);
    if (!entry)
        return facts;
    if (entry->deleted)
        facts << tx(TextDeletedEntry);
    if (!entry->detail.isEmpty())
        facts << entry->detail;
    return facts;
}

} // namespace vc
