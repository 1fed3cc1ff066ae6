#include "browsers/DatabaseCopy.h"

#include "documents/FileServices.h"
#include "evidence/UserProfile.h"
#include "platform/EvidenceOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vc {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens an evidence file read-only, without touching its access time where
// the system allows. A name that is not a regular file (a FIFO would block
// the open, a device never ends) is refused. Returns -1 with *error set.
int openEvidence(const QString& path, qint64* size, QString* error) {
    const int fd = openEvidenceDescriptor(QFile::encodeName(path), O_NONBLOCK);
    if (fd < 0) {
        *error = systemError(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        *error = QStringLiteral("not a regular file");
        ::close(fd);
        return -1;
    }
    *size = info.st_size;
    return fd;
}

// Copies one evidence file to `to`, which must not exist yet.
bool copyEvidence(const QString& from, const QString& to, qint64* copied, QString* error) {
    qint64 size = 0;
    const int in = openEvidence(from, &size, error);
    if (in < 0)
        return false;
    const int out = ::open(QFile::encodeName(to).constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (out < 0) {
        *error = systemError(errno);
        ::close(in);
        return false;
    }
    const bool ok = copyContent(in, out, error);
    struct stat info {};
    if (ok && ::fstat(out, &info) == 0)
        *copied = info.st_size;
    ::close(in);
    if (::close(out) != 0 && ok) {
        *error = systemError(errno);
        return false;
    }
    return ok;
}

} // namespace

bool DatabaseCopy::make(const QString& evidencePath, QString* error) {
    m_dir =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vellacord-db-XXXXXX"));
    if (!m_dir->isValid()) {
        *error = m_dir->errorString();
        return false;
    }
    const QFileInfo evidence(evidencePath);
    const QString folder = evidence.absolutePath();
    const QString name = evidence.fileName();
    m_path = m_dir->filePath(QStringLiteral("database"));
    m_size = 0;
    m_hasLog = false;

    qint64 copied = 0;
    if (!copyEvidence(evidencePath, m_path, &copied, error))
        return false;
    m_size += copied;
    QStringList names{name};

    // The log and the journal keep the database's name; NTFS matched names
    // without regard to letter case.
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-journal")}) {
        const QString companion = findChildNoCase(folder, name + suffix);
        if (companion.isEmpty())
            continue;
        const QString from = folder + QLatin1Char('/') + companion;
        if (!QFileInfo(from).isFile())
            continue;
        copied = 0;
        QString companionError;
        if (!copyEvidence(from, m_path + suffix, &copied, &companionError)) {
            *error = from + QStringLiteral(": ") + companionError;
            return false;
        }
        m_size += copied;
        if (copied > 0) {
            names << companion;
            if (suffix == QLatin1String("-wal"))
                m_hasLog = true;
        }
    }
    m_readFrom = names.join(QStringLiteral(" + "));
    return true;
}

} // namespace vc
