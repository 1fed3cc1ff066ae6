#include "evidence/image/ImageProtocol.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vc::image {

namespace {

// Written with send() where fd is a socket, so that a reader that has
// stopped gives an error here rather than SIGPIPE, which would end the
// program.
bool writeAll(int fd, const char* data, size_t size) {
    bool socket = true;
    while (size > 0) {
        ssize_t n = socket ? ::send(fd, data, size, MSG_NOSIGNAL) : ::write(fd, data, size);
        if (n < 0 && socket && errno == ENOTSOCK) {
            socket = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool readAll(int fd, char* data, size_t size, int timeoutMs, bool* timedOut) {
    while (size > 0) {
        if (timeoutMs >= 0) {
            pollfd p{fd, POLLIN, 0};
            const int r = ::poll(&p, 1, timeoutMs);
            if (r < 0 && errno == EINTR)
                continue;
            if (r == 0) {
                if (timedOut)
                    *timedOut = true;
                return false;
            }
            if (r < 0)
                return false;
        }
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void writeTime(QDataStream& out, const std::optional<TimeValue>& t) {
    out << bool(t);
    if (t)
        out << quint8(t->kind) << quint8(t->rule) << t->raw;
}

void readTime(QDataStream& in, std::optional<TimeValue>& t) {
    bool present = false;
    in >> present;
    t.reset();
    if (!present)
        return;
    quint8 kind = 0, rule = 0;
    qint64 raw = 0;
    in >> kind >> rule >> raw;
    t = TimeValue{TimeKind(kind), TimeRule(rule), raw};
}

} // namespace

bool writeFrame(int fd, Op op, const QByteArray& fields) {
    const quint32 length = quint32(fields.size()) + 1;
    char head[5] = {char(length & 0xff), char((length >> 8) & 0xff), char((length >> 16) & 0xff),
                    char(length >> 24), char(op)};
    return writeAll(fd, head, sizeof head) &&
           writeAll(fd, fields.constData(), size_t(fields.size()));
}

bool readFrame(int fd, int timeoutMs, Op* op, QByteArray* fields, bool* timedOut) {
    if (timedOut)
        *timedOut = false;
    unsigned char head[5];
    if (!readAll(fd, reinterpret_cast<char*>(head), sizeof head, timeoutMs, timedOut))
        return false;
    const quint32 length =
        quint32(head[0]) | quint32(head[1]) << 8 | quint32(head[2]) << 16 | quint32(head[3]) << 24;
    if (length < 1 || length > kMaxFrame)
        return false;
    *op = Op(head[4]);
    fields->resize(qsizetype(length - 1));
    return readAll(fd, fields->data(), size_t(length - 1), timeoutMs, timedOut);
}

QDataStream& operator<<(QDataStream& out, const EvidenceEntry& e) {
    out << e.name << quint8(e.type) << e.size;
    writeTime(out, e.created);
    writeTime(out, e.modified);
    writeTime(out, e.accessed);
    out << e.deleted << e.symlink << e.fileId << e.detail;
    return out;
}

QDataStream& operator>>(QDataStream& in, EvidenceEntry& e) {
    quint8 type = 0;
    in >> e.name >> type >> e.size;
    e.type = type <= quint8(EntryType::Other) ? EntryType(type) : EntryType::Other;
    readTime(in, e.created);
    readTime(in, e.modified);
    readTime(in, e.accessed);
    in >> e.deleted >> e.symlink >> e.fileId >> e.detail;
    return in;
}

QDataStream& operator<<(QDataStream& out, const DiskImageVolume& v) {
    out << qint32(v.partition) << v.offset << v.size << v.partitionType << v.fileSystem << v.windows
        << qint32(v.snapshot);
    writeTime(out, v.snapshotCreated);
    return out;
}

QDataStream& operator>>(QDataStream& in, DiskImageVolume& v) {
    qint32 partition = 0, snapshot = 0;
    in >> partition >> v.offset >> v.size >> v.partitionType >> v.fileSystem >> v.windows >>
        snapshot;
    v.partition = partition;
    v.snapshot = snapshot;
    readTime(in, v.snapshotCreated);
    return in;
}

QDataStream& operator<<(QDataStream& out, const ImageError& e) {
    return out << quint8(e.layer) << e.image << e.place << e.details;
}

QDataStream& operator>>(QDataStream& in, ImageError& e) {
    quint8 layer = 0;
    in >> layer >> e.image >> e.place >> e.details;
    e.layer = layer <= quint8(ImageLayer::Reader) ? ImageLayer(layer) : ImageLayer::Reader;
    return in;
}

} // namespace vc::image
