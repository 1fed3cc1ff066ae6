#include "platform/EvidenceOpen.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vc {

int openEvidenceDescriptor(const QByteArray& path, int extraFlags) {
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | extraFlags;
    int fd = ::open(path.constData(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM) // O_NOATIME needs the file's owner
        fd = ::open(path.constData(), flags);
    return fd;
}

bool openWithoutAccessTime(QFile& file, QIODevice::OpenMode modes) {
    const int fd = openEvidenceDescriptor(QFile::encodeName(file.fileName()));
    if (fd < 0)
        return file.open(QIODevice::ReadOnly | modes); // for its error text
    if (!file.open(fd, QIODevice::ReadOnly | modes, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace vc
