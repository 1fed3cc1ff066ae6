#include "documents/FileServices.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vc {

namespace {

FileServices* g_services = nullptr;

} // namespace

FileServices& fileServices() {
    static DesktopFileServices desktop;
    return g_services ? *g_services : desktop;
}

FileServices* setFileServices(FileServices* services) {
    FileServices* previous = g_services;
    g_services = services;
    return previous;
}

bool isAddress(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

std::optional<OpenResult> localOpenProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? OpenResult::FileNotFound
                                                      : OpenResult::PathNotFound;
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0)
        return OpenResult::AccessDenied;
    return std::nullopt;
}

bool openWithoutAccessTime(QFile& file) {
    const QByteArray path = QFile::encodeName(file.fileName());
    int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOATIME);
    if (fd < 0 && errno == EPERM) // O_NOATIME needs the file's owner
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return file.open(QIODevice::ReadOnly); // for its error text
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool copyFileWhole(const QString& source, const QString& destination, QString* error) {
    QFile in(source);
    if (!openWithoutAccessTime(in)) {
        *error = in.errorString();
        return false;
    }
    struct stat sourceStat {};
    const bool haveStat = ::fstat(in.handle(), &sourceStat) == 0;

    QSaveFile out(destination);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            *error = in.errorString();
            out.cancelWriting();
            out.commit();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
            *error = out.errorString();
            out.cancelWriting();
            out.commit();
            return false;
        }
    }
    if (haveStat)
        ::fchmod(out.handle(), sourceStat.st_mode & 07777);
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    if (haveStat) {
        // The copy keeps the times an examiner judges the file by.
        const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
        ::utimensat(AT_FDCWD, QFile::encodeName(destination).constData(), times, 0);
    }
    return true;
}

} // namespace vc
