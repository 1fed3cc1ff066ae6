// The image reader's process: `vellacord image-server IMAGE [--snapshots]`
// opens the image and answers the program's requests on its standard input
// and output (ImageProtocol.h) until the program closes them.
#include "evidence/image/ImageProtocol.h"
#include "evidence/image/reading/ImageReading.h"

#include <QFile>

#include <cstdio>
#include <cstring>
#include <map>
#include <unistd.h>

namespace vc::image {

namespace {

// The most files the program may hold open in the reader at once.
constexpr size_t kMaxOpenFiles = 4096;

QByteArray openedFrame(const std::optional<DiskImage>& image, const ImageError& error) {
    QByteArray fields;
    QDataStream out(&fields, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << bool(image);
    if (!image) {
        out << error;
        return fields;
    }
    out << image->format << qint32(image->segments) << quint32(image->volumes.size());
    for (const DiskImageVolume& v : image->volumes)
        out << v;
    out << quint32(image->problems.size());
    for (const ImageError& p : image->problems)
        out << p;
    return fields;
}

class Server {
public:
    Server(int in, int out, DiskImage image) : m_in(in), m_out(out), m_image(std::move(image)) {}

    void run() {
        Op op{};
        QByteArray fields;
        while (readFrame(m_in, -1, &op, &fields)) {
            QDataStream in(fields);
            in.setVersion(kStreamVersion);
            QByteArray answer;
            QDataStream out(&answer, QIODevice::WriteOnly);
            out.setVersion(kStreamVersion);
            if (op == Op::Close) {
                quint32 handle = 0;
                in >> handle;
                m_readers.erase(handle);
                continue;
            }
            if (op == Op::Read)
                read(in, out);
            else
                volumeRequest(op, in, out);
            if (!writeFrame(m_out, op, answer))
                return;
        }
    }

private:
    const EvidenceFiles* volume(qint32 index) const {
        if (index < 0 || size_t(index) >= m_image.files.size())
            return nullptr;
        return m_image.files[size_t(index)].get();
    }

    void volumeRequest(Op op, QDataStream& in, QDataStream& out) {
        qint32 index = -1;
        QByteArray path;
        in >> index >> path;
        const EvidenceFiles* files = volume(index);
        switch (op) {
        case Op::Entry: {
            const std::optional<EvidenceEntry> e =
                files && in.status() == QDataStream::Ok ? files->entry(path) : std::nullopt;
            out << bool(e);
            if (e)
                out << *e;
            return;
        }
        case Op::List: {
            std::vector<EvidenceEntry> entries;
            QString error = QStringLiteral("no such volume");
            const bool ok = files && files->list(path, entries, &error);
            QByteArray listed;
            QDataStream list(&listed, QIODevice::WriteOnly);
            list.setVersion(kStreamVersion);
            quint32 count = 0;
            for (const EvidenceEntry& e : entries) {
                if (listed.size() > kMaxListBytes)
                    break;
                list << e;
                ++count;
            }
            out << ok << (ok ? QString() : error) << count;
            out.writeRawData(listed.constData(), int(listed.size()));
            return;
        }
        case Op::Open: {
            QString error = QStringLiteral("no such volume");
            std::unique_ptr<EvidenceReader> reader;
            if (m_readers.size() >= kMaxOpenFiles)
                error = QStringLiteral("too many open files");
            else if (files)
                reader = files->open(path, &error);
            out << bool(reader) << (reader ? QString() : error);
            if (reader) {
                const quint32 handle = m_nextHandle++;
                QByteArray head(qsizetype(std::min(reader->size(), kOpenHead)), Qt::Uninitialized);
                qint64 n = 0;
                while (n < head.size()) {
                    const qint64 r = reader->readAt(n, head.data() + n, head.size() - n);
                    if (r <= 0)
                        break;
                    n += r;
                }
                head.truncate(qsizetype(n));
                out << handle << reader->size() << head;
                m_readers[handle] = std::move(reader);
            }
            return;
        }
        default:
            out << false << QStringLiteral("unknown request");
            return;
        }
    }

    void read(QDataStream& in, QDataStream& out) {
        quint32 handle = 0;
        qint64 offset = 0, count = 0;
        in >> handle >> offset >> count;
        const auto it = m_readers.find(handle);
        if (it == m_readers.end() || count < 0 || offset < 0) {
            out << qint64(-1) << QStringLiteral("no such open file") << QByteArray();
            return;
        }
        QByteArray bytes(qsizetype(std::min(count, kMaxReadCount)), Qt::Uninitialized);
        const qint64 n = it->second->readAt(offset, bytes.data(), bytes.size());
        if (n < 0) {
            out << n << it->second->errorString() << QByteArray();
            return;
        }
        bytes.truncate(qsizetype(n));
        out << n << QString() << bytes;
    }

    int m_in;
    int m_out;
    DiskImage m_image;
    std::map<quint32, std::unique_ptr<EvidenceReader>> m_readers;
    quint32 m_nextHandle = 1;
};

} // namespace

int runImageServer(int in, int out, const QString& path, const DiskImageOptions& options) {
    ImageError error;
    std::optional<DiskImage> image = readDiskImage(path, options, &error);
    if (!writeFrame(out, Op::Opened, openedFrame(image, error)) || !image)
        return 1;
    Server(in, out, std::move(*image)).run();
    return 0;
}

} // namespace vc::image

// The sub-command, loaded by the program from this library.
extern "C" __attribute__((visibility("default"))) int vellacord_image_server_main(int argc,
                                                                                  char** argv) {
    if (argc < 3 || std::strcmp(argv[1], vc::image::kServerCommand) != 0) {
        std::fprintf(stderr, "usage: vellacord %s IMAGE [--snapshots]\n",
                     vc::image::kServerCommand);
        return 2;
    }
    vc::DiskImageOptions options;
    for (int i = 3; i < argc; ++i)
        options.snapshots |= std::strcmp(argv[i], "--snapshots") == 0;
    // The answers go out on a descriptor of their own; whatever a library
    // might print to standard output goes to standard error instead.
    const int out = ::dup(STDOUT_FILENO);
    if (out < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return 1;
    return vc::image::runImageServer(STDIN_FILENO, out, QFile::decodeName(argv[2]), options);
}
