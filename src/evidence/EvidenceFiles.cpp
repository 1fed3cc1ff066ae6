#include "evidence/EvidenceFiles.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vc {

namespace {

// The most one copy reads and writes at a time.
constexpr qint64 kCopyChunk = qint64(1) << 20;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

bool EvidenceReader::readExactly(qint64 offset, char* out, qint64 count) {
    qint64 done = 0;
    while (done < count) {
        const qint64 n = readAt(offset + done, out + done, count - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool EvidenceFiles::listNames(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                              QString* error) const {
    return list(folder, entries, error);
}

bool EvidenceFiles::isFile(const QByteArray& path) const {
    const std::optional<EvidenceEntry> e = entry(path);
    return e && e->type == EntryType::File;
}

bool EvidenceFiles::isFolder(const QByteArray& path) const {
    const std::optional<EvidenceEntry> e = entry(path);
    return e && e->type == EntryType::Folder;
}

QByteArray EvidenceFiles::findChildNoCase(const QByteArray& folder, const QByteArray& name) const {
    if (name.isEmpty())
        return QByteArray();
    if (entry(joinPath(folder, name)))
        return name;
    std::vector<EvidenceEntry> entries;
    if (!list(folder, entries, nullptr))
        return QByteArray();
    const QString wanted = QString::fromUtf8(name);
    for (const EvidenceEntry& e : entries)
        if (QString::fromUtf8(e.name).compare(wanted, Qt::CaseInsensitive) == 0)
            return e.name;
    return QByteArray();
}

QByteArray EvidenceFiles::resolveNoCase(const QByteArray& base,
                                        const QList<QByteArray>& components) const {
    QByteArray path = base;
    bool exists = true;
    for (const QByteArray& component : components) {
        if (component.isEmpty())
            continue;
        QByteArray name = component;
        if (exists) {
            const QByteArray found = findChildNoCase(path, component);
            if (found.isEmpty())
                exists = false;
            else
                name = found;
        }
        path = joinPath(path, name);
    }
    return path;
}

EvidenceReadStatus EvidenceFiles::readWhole(const QByteArray& path, qint64 maxBytes,
                                            QByteArray* bytes) const {
    bytes->clear();
    const std::optional<EvidenceEntry> e = entry(path);
    if (!e || e->type != EntryType::File)
        return EvidenceReadStatus::Missing;
    QString error;
    const std::unique_ptr<EvidenceReader> reader = open(path, &error);
    if (!reader)
        return isFile(path) ? EvidenceReadStatus::Unreadable : EvidenceReadStatus::Missing;
    const qint64 size = reader->size();
    if (size > maxBytes)
        return EvidenceReadStatus::TooLarge;
    // Read up to one byte more than the size: a file that grew since is
    // refused rather than read without bound.
    bytes->resize(qsizetype(size) + 1);
    qint64 have = 0;
    for (;;) {
        const qint64 n = reader->readAt(have, bytes->data() + have, bytes->size() - have);
        if (n < 0) {
            bytes->clear();
            return EvidenceReadStatus::Unreadable;
        }
        if (n == 0)
            break;
        have += n;
        if (have > maxBytes) {
            bytes->clear();
            return EvidenceReadStatus::TooLarge;
        }
        if (have == bytes->size())
            bytes->resize(qsizetype(std::min<qint64>(qint64(bytes->size()) * 2, maxBytes + 1)));
    }
    bytes->truncate(qsizetype(have));
    return EvidenceReadStatus::Ok;
}

bool EvidenceFiles::copyTo(const QByteArray& path, const QString& destination, qint64 maxBytes,
                           QString* error) const {
    const std::unique_ptr<EvidenceReader> reader = open(path, error);
    if (!reader)
        return false;
    if (reader->size() > maxBytes) {
        *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        return false;
    }
    const QByteArray to = QFile::encodeName(destination);
    const int out =
        ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (out < 0) {
        *error = systemError(errno);
        return false;
    }
    std::vector<char> buffer(static_cast<size_t>(kCopyChunk));
    const qint64 length = reader->size();
    qint64 at = 0;
    bool ok = true;
    // Stretch by stretch of data; the last one is read up to the end of the
    // file, so that a file that grew since it was opened is still bounded.
    while (ok) {
        const qint64 data = reader->dataFrom(at);
        if (data >= length) {
            at = length; // only a hole follows
            break;
        }
        at = std::max(at, data);
        const qint64 end = reader->dataEnd(at);
        const bool last = end >= length;
        while (ok && (last || at < end)) {
            const qint64 want = last ? kCopyChunk : std::min(kCopyChunk, end - at);
            const qint64 n = reader->readAt(at, buffer.data(), want);
            if (n < 0) {
                *error = reader->errorString();
                ok = false;
                break;
            }
            if (n == 0)
                break;
            if (at + n > maxBytes) {
                *error = QStringLiteral("larger than %1 bytes").arg(maxBytes);
                ok = false;
                break;
            }
            // A block of zeros is left a hole: the copy of a sparse file
            // takes no more room than the file does.
            const bool zeros =
                buffer[0] == 0 && std::memcmp(buffer.data(), buffer.data() + 1, size_t(n - 1)) == 0;
            for (qint64 done = 0; !zeros && done < n && ok;) {
                const ssize_t w = ::pwrite(out, buffer.data() + done, size_t(n - done), at + done);
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0) {
                    *error = systemError(w < 0 ? errno : ENOSPC);
                    ok = false;
                }
                done += w > 0 ? w : 0;
            }
            at += n;
        }
        if (last)
            break;
    }
    if (ok && ::ftruncate(out, at) != 0) {
        *error = systemError(errno);
        ok = false;
    }
    if (::close(out) != 0 && ok) {
        *error = systemError(errno);
        ok = false;
    }
    if (!ok)
        ::unlink(to.constData());
    return ok;
}

QByteArray EvidenceFiles::pathBytes(const QString& path) {
    return QFile::encodeName(path);
}

QString EvidenceFiles::pathText(const QByteArray& path) {
    return QFile::decodeName(path);
}

QByteArray joinPath(const QByteArray& folder, const QByteArray& name) {
    if (folder.isEmpty())
        return name;
    if (folder.endsWith('/'))
        return folder + (name.startsWith('/') ? name.mid(1) : name);
    return folder + (name.startsWith('/') ? name : '/' + name);
}

QString joinPath(const QString& folder, const QString& name) {
    return QFile::decodeName(joinPath(QFile::encodeName(folder), QFile::encodeName(name)));
}

} // namespace vc
