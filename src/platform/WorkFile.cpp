#include "platform/WorkFile.h"

#include "platform/WorkFolders.h"

#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <mutex>

namespace vc {

namespace {

// The lock file of a work folder, created and locked by the folder's owner.
int createLockFile(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + kWorkFolderLockName);
    const int fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

WorkFile::WorkFile() {
    // Folders left behind by runs that crashed go first, once per run.
    static std::once_flag stale;
    std::call_once(stale, [] { RemoveStaleWorkFolders(QDir::tempPath()); });
    m_dir =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') +
                                        workFolderPrefix(::getpid()) + QStringLiteral("XXXXXX"));
    if (m_dir->isValid()) {
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_lockFd = createLockFile(m_dir->path());
        m_fileName = m_dir->filePath(QStringLiteral("d!ummy.t~"));
    }
}

WorkFile::~WorkFile() {
    close();
    remove();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool WorkFile::createOrEmpty() {
    close();
    if (m_fileName.isEmpty())
        return false;
    const QByteArray path = QFile::encodeName(m_fileName);
    // A new file each time, so O_EXCL can insist that nothing stands there
    // (no link, no file someone else made).
    ::unlink(path.constData());
    const int fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (!m_file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

void WorkFile::close() {
    if (m_file.isOpen())
        m_file.close();
}

void WorkFile::remove() {
    if (!m_fileName.isEmpty())
        QFile::remove(m_fileName);
}

TextLines::TextLines(const QString& path) {
    if (path.isEmpty())
        return;
    m_file.setFileName(path);
    if (m_file.open(QIODevice::ReadOnly))
        m_size = m_file.size();
}

bool TextLines::refill() {
    static constexpr qsizetype kChunk = 64 * 1024;
    if (m_atEnd || !m_file.isOpen())
        return false;
    // Keep the unfinished line, drop what was handed out.
    m_buffer.remove(0, m_start);
    m_start = 0;
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + kChunk);
    const qint64 got = m_file.read(m_buffer.data() + kept, kChunk);
    m_buffer.resize(kept + std::max<qint64>(got, 0));
    if (got <= 0)
        m_atEnd = true;
    return got > 0;
}

bool TextLines::next(QByteArrayView& line) {
    qsizetype scanned = m_start;
    for (;;) {
        const qsizetype lf = m_buffer.indexOf('\n', scanned);
        if (lf >= 0) {
            qsizetype end = lf;
            if (end > m_start && m_buffer[end - 1] == '\r')
                --end;
            line = QByteArrayView(m_buffer.constData() + m_start, end - m_start);
            m_position += lf + 1 - m_start;
            m_start = lf + 1;
            return true;
        }
        scanned = m_buffer.size() - m_start; // what refill keeps, already searched
        if (!refill()) {
            // The text after the last line feed, when there is any.
            if (m_start >= m_buffer.size())
                return false;
            line = QByteArrayView(m_buffer.constData() + m_start, m_buffer.size() - m_start);
            m_position += m_buffer.size() - m_start;
            m_start = m_buffer.size();
            return true;
        }
    }
}

} // namespace vc
