#include "documents/EvidenceFile.h"

#include "platform/EvidenceOpen.h"
#include "platform/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vc {

EvidenceReadStatus readEvidenceFile(const QByteArray& path, qint64 maxBytes, QByteArray* bytes) {
    bytes->clear();
    struct stat kind {};
    if (::stat(path.constData(), &kind) != 0 || !S_ISREG(kind.st_mode))
        return EvidenceReadStatus::Missing;
    // Without blocking: a pipe put in the name's place is never waited for.
    const FileDescriptor fd(openEvidenceDescriptor(path, O_NONBLOCK));
    if (fd.get() < 0)
        return errno == ENOENT ? EvidenceReadStatus::Missing : EvidenceReadStatus::Unreadable;
    // Checked again on the open file: the name may lead elsewhere by now.
    if (::fstat(fd.get(), &kind) != 0 || !S_ISREG(kind.st_mode))
        return EvidenceReadStatus::Missing;
    if (kind.st_size > maxBytes)
        return EvidenceReadStatus::TooLarge;
    // Read up to one byte more than allowed: a file that grew since its size
    // was taken is refused rather than read without bound.
    bytes->resize(qsizetype(kind.st_size) + 1);
    qsizetype have = 0;
    while (have < bytes->size()) {
        const ssize_t n = ::read(fd.get(), bytes->data() + have, std::size_t(bytes->size() - have));
        if (n < 0 && errno == EINTR)
            continue;
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
            bytes->resize(std::min<qsizetype>(bytes->size() * 2, maxBytes + 1));
    }
    bytes->truncate(have);
    return EvidenceReadStatus::Ok;
}

} // namespace vc
