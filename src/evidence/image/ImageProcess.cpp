#include "evidence/image/ImageProcess.h"

#include "evidence/image/ImageProtocol.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <unordered_map>

extern char** environ;

namespace vc {

namespace {

using image::Op;

// How often a reader that stopped is started again for later requests.
constexpr int kMaxRestarts = 8;
// What one read of a file asks the reader for at least: the readers of the
// program read in small pieces, and each request is a round trip.
constexpr qint64 kReadAhead = qint64(256) << 10;
// The most entries kept from the folders listed.
constexpr size_t kMaxCachedEntries = 200000;

std::mutex g_settingsLock;
QString g_program;
std::atomic<int> g_timeoutMs{60000};

QString readerProgram() {
    std::lock_guard<std::mutex> guard(g_settingsLock);
    if (!g_program.isEmpty())
        return g_program;
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? QFile::decodeName(QByteArray(path, qsizetype(n))) : QString();
}

QString exitText(int status) {
    if (WIFSIGNALED(status))
        return QStringLiteral("ended by signal %1 (%2)")
            .arg(WTERMSIG(status))
            .arg(QString::fromLocal8Bit(strsignal(WTERMSIG(status))));
    if (WIFEXITED(status))
        return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
    return QStringLiteral("stopped");
}

// The reader process of one image, shared by the files of all its volumes;
// one request at a time.
class ReaderProcess {
public:
    ReaderProcess(QString path, DiskImageOptions options)
        : m_path(std::move(path)), m_options(options) {}
    ~ReaderProcess() { stop(false); }

    // Starts the reader and reads its first answer: the image's volumes.
    bool start(std::optional<DiskImage>* image, ImageError* error) {
        const QString program = readerProgram();
        int sockets[2];
        if (program.isEmpty() ||
            ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
            *error = {ImageLayer::Reader, m_path, QString(),
                      QStringLiteral("cannot start the image reader")};
            return false;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, sockets[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, sockets[1], STDOUT_FILENO);
        const QByteArray programBytes = QFile::encodeName(program);
        const QByteArray pathBytes = QFile::encodeName(m_path);
        std::vector<char*> argv{const_cast<char*>(programBytes.constData()),
                                const_cast<char*>(image::kServerCommand),
                                const_cast<char*>(pathBytes.constData())};
        char snapshots[] = "--snapshots";
        if (m_options.snapshots)
            argv.push_back(snapshots);
        argv.push_back(nullptr);
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, programBytes.constData(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(sockets[1]);
        if (spawned != 0) {
            ::close(sockets[0]);
            *error = {ImageLayer::Reader, m_path, program,
                      QString::fromLocal8Bit(std::strerror(spawned))};
            return false;
        }
        m_pid = pid;
        m_socket = sockets[0];
        Op op{};
        QByteArray fields;
        bool timedOut = false;
        if (!image::readFrame(m_socket, g_timeoutMs, &op, &fields, &timedOut) || op != Op::Opened) {
            *error = {ImageLayer::Reader, m_path, QString(), stop(timedOut)};
            return false;
        }
        return readOpened(fields, image, error);
    }

    // One request and its answer. On a failure the reader is stopped, *why
    // says how, and the next request starts it again.
    bool request(Op op, const QByteArray& fields, QByteArray* answer, const QByteArray& place,
                 QString* why) {
        if (m_socket < 0 && !restart(why))
            return false;
        Op got{};
        bool timedOut = false;
        if (image::writeFrame(m_socket, op, fields) &&
            image::readFrame(m_socket, g_timeoutMs, &got, answer, &timedOut) && got == op)
            return true;
        *why =
            ImageError{ImageLayer::Reader, m_path, QFile::decodeName(place), stop(timedOut)}.text();
        return false;
    }

    void send(Op op, const QByteArray& fields) {
        if (m_socket >= 0)
            image::writeFrame(m_socket, op, fields);
    }

    // Incremented at every start: a file opened by an earlier reader is gone.
    int generation() const { return m_generation; }
    std::mutex& lock() { return m_lock; }

private:
    bool readOpened(const QByteArray& fields, std::optional<DiskImage>* image, ImageError* error) {
        QDataStream in(fields);
        in.setVersion(image::kStreamVersion);
        bool ok = false;
        in >> ok;
        if (!ok) {
            image::operator>>(in, *error);
            error->image = m_path;
            return false;
        }
        DiskImage result;
        result.path = m_path;
        qint32 segments = 0;
        quint32 count = 0;
        in >> result.format >> segments >> count;
        result.segments = segments;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            DiskImageVolume v;
            image::operator>>(in, v);
            result.volumes.push_back(v);
        }
        in >> count;
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            ImageError p;
            image::operator>>(in, p);
            result.problems.push_back(p);
        }
        if (in.status() != QDataStream::Ok) {
            *error = {ImageLayer::Reader, m_path, QString(),
                      QStringLiteral("the image reader's answer is damaged")};
            return false;
        }
        *image = std::move(result);
        return true;
    }

    bool restart(QString* why) {
        if (m_restarts >= kMaxRestarts) {
            *why = ImageError{ImageLayer::Reader, m_path, QString(),
                              QStringLiteral("stopped too often; not started again")}
                       .text();
            return false;
        }
        ++m_restarts;
        ++m_generation;
        std::optional<DiskImage> image;
        ImageError error;
        if (!start(&image, &error)) {
            *why = error.text();
            return false;
        }
        return true;
    }

    // Stops the reader; how it ended, for a message.
    QString stop(bool hung) {
        if (m_socket < 0)
            return QStringLiteral("not running");
        ::shutdown(m_socket, SHUT_RDWR);
        ::close(m_socket);
        m_socket = -1;
        if (hung)
            ::kill(m_pid, SIGKILL);
        int status = 0;
        // A reader that does not end within a second of losing its pipe is
        // stopped.
        for (int i = 0; i < 100; ++i) {
            const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
            if (r == m_pid || (r < 0 && errno != EINTR)) {
                m_pid = -1;
                break;
            }
            const timespec pause{0, 10 * 1000 * 1000};
            ::nanosleep(&pause, nullptr);
        }
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
        if (hung)
            return QStringLiteral("no answer within %1 s; stopped").arg(g_timeoutMs / 1000.0);
        return exitText(status);
    }

    QString m_path;
    DiskImageOptions m_options;
    std::mutex m_lock;
    pid_t m_pid = -1;
    int m_socket = -1;
    int m_restarts = 0;
    int m_generation = 0;
};

class ProcessReader : public EvidenceReader {
public:
    ProcessReader(std::shared_ptr<ReaderProcess> process, quint32 handle, qint64 size,
                  QByteArray path, QByteArray head)
        : m_process(std::move(process)), m_generation(m_process->generation()), m_handle(handle),
          m_size(size), m_path(std::move(path)), m_buffer(std::move(head)) {}
    ~ProcessReader() override {
        std::lock_guard<std::mutex> guard(m_process->lock());
        if (m_process->generation() != m_generation)
            return;
        QByteArray fields;
        QDataStream out(&fields, QIODevice::WriteOnly);
        out.setVersion(image::kStreamVersion);
        out << m_handle;
        m_process->send(Op::Close, fields);
    }
    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 offset, char* out, qint64 count) override {
        if (offset < 0 || count < 0) {
            m_error = QStringLiteral("invalid offset");
            return -1;
        }
        if (count == 0 || offset >= m_size)
            return 0;
        // From what was read ahead.
        if (offset >= m_bufferAt && offset < m_bufferAt + m_buffer.size()) {
            const qint64 n = std::min<qint64>(count, m_bufferAt + m_buffer.size() - offset);
            std::memcpy(out, m_buffer.constData() + (offset - m_bufferAt), size_t(n));
            return n;
        }
        const qint64 want = std::min(std::max(count, kReadAhead), image::kMaxReadCount);
        QByteArray bytes;
        if (!fetch(offset, want, &bytes))
            return -1;
        const qint64 n = std::min<qint64>(count, bytes.size());
        std::memcpy(out, bytes.constData(), size_t(n));
        if (bytes.size() > n) {
            m_buffer = std::move(bytes);
            m_bufferAt = offset;
        }
        return n;
    }
    QString errorString() const override { return m_error; }

private:
    bool fetch(qint64 offset, qint64 count, QByteArray* bytes) {
        std::lock_guard<std::mutex> guard(m_process->lock());
        if (m_process->generation() != m_generation) {
            m_error = QStringLiteral("the image reader was started again; the file is closed");
            return false;
        }
        QByteArray fields, answer;
        QDataStream out(&fields, QIODevice::WriteOnly);
        out.setVersion(image::kStreamVersion);
        out << m_handle << offset << count;
        if (!m_process->request(Op::Read, fields, &answer, m_path, &m_error))
            return false;
        QDataStream in(answer);
        in.setVersion(image::kStreamVersion);
        qint64 n = -1;
        QString error;
        in >> n >> error >> *bytes;
        if (in.status() != QDataStream::Ok || n < 0 || bytes->size() != n || n > count) {
            m_error = error.isEmpty() ? QStringLiteral("damaged answer") : error;
            return false;
        }
        return true;
    }

    std::shared_ptr<ReaderProcess> m_process;
    int m_generation;
    quint32 m_handle;
    qint64 m_size;
    QByteArray m_path;
    QString m_error;
    QByteArray m_buffer;
    qint64 m_bufferAt = 0;
};

// The files of one volume, read by the reader process.
class ProcessVolumeFiles : public EvidenceFiles {
public:
    ProcessVolumeFiles(std::shared_ptr<ReaderProcess> process, qint32 volume, QString description)
        : m_process(std::move(process)), m_volume(volume), m_description(std::move(description)) {}

    bool isLocal() const override { return false; }
    QString describe() const override { return m_description; }

    std::optional<EvidenceEntry> entry(const QByteArray& path) const override {
        // From the listing of its folder, when that was listed.
        const QByteArray p = normalPath(path);
        const qsizetype slash = p.lastIndexOf('/');
        if (p != "/") {
            std::lock_guard<std::mutex> guard(m_cacheLock);
            const auto folder = m_listings.find(slash > 0 ? p.left(slash) : QByteArray("/"));
            if (folder != m_listings.end()) {
                const QByteArray name = p.mid(slash + 1);
                const EvidenceEntry* found = nullptr;
                for (const EvidenceEntry& e : folder->second)
                    if (e.name == name && (!found || (found->deleted && !e.deleted)))
                        found = &e;
                if (!found)
                    return std::nullopt;
                return *found;
            }
        }
        QByteArray answer;
        QString why;
        if (!ask(Op::Entry, path, &answer, &why))
            return std::nullopt;
        QDataStream in(answer);
        in.setVersion(image::kStreamVersion);
        bool found = false;
        in >> found;
        if (!found)
            return std::nullopt;
        EvidenceEntry e;
        image::operator>>(in, e);
        if (in.status() != QDataStream::Ok)
            return std::nullopt;
        return e;
    }

    bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
              QString* error) const override {
        QByteArray answer;
        QString why;
        if (!ask(Op::List, folder, &answer, &why)) {
            if (error)
                *error = why;
            return false;
        }
        QDataStream in(answer);
        in.setVersion(image::kStreamVersion);
        bool ok = false;
        QString failure;
        quint32 count = 0;
        in >> ok >> failure >> count;
        if (!ok) {
            if (error)
                *error = failure;
            return false;
        }
        std::vector<EvidenceEntry> listed;
        for (quint32 i = 0; i < count; ++i) {
            EvidenceEntry e;
            image::operator>>(in, e);
            if (in.status() != QDataStream::Ok)
                break;
            listed.push_back(std::move(e));
        }
        entries.insert(entries.end(), listed.begin(), listed.end());
        remember(normalPath(folder), std::move(listed));
        return true;
    }

    std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const override {
        QByteArray answer;
        QString why;
        std::lock_guard<std::mutex> guard(m_process->lock());
        if (!askLocked(Op::Open, path, &answer, &why)) {
            if (error)
                *error = why;
            return nullptr;
        }
        QDataStream in(answer);
        in.setVersion(image::kStreamVersion);
        bool ok = false;
        QString failure;
        quint32 handle = 0;
        qint64 size = 0;
        QByteArray head;
        in >> ok >> failure;
        if (ok)
            in >> handle >> size >> head;
        if (!ok || in.status() != QDataStream::Ok || size < 0 || head.size() > size) {
            if (error)
                *error = ok ? QStringLiteral("damaged answer") : failure;
            return nullptr;
        }
        return std::make_unique<ProcessReader>(m_process, handle, size, path, std::move(head));
    }

private:
    bool ask(Op op, const QByteArray& path, QByteArray* answer, QString* why) const {
        std::lock_guard<std::mutex> guard(m_process->lock());
        return askLocked(op, path, answer, why);
    }
    bool askLocked(Op op, const QByteArray& path, QByteArray* answer, QString* why) const {
        QByteArray fields;
        QDataStream out(&fields, QIODevice::WriteOnly);
        out.setVersion(image::kStreamVersion);
        out << m_volume << path;
        return m_process->request(op, fields, answer, path, why);
    }

    // A path as the listings are kept: one "/" between names, none at the
    // end.
    static QByteArray normalPath(const QByteArray& path) {
        QByteArray p;
        for (const QByteArray& name : path.split('/'))
            if (!name.isEmpty())
                p += '/' + name;
        return p.isEmpty() ? QByteArray("/") : p;
    }

    void remember(const QByteArray& folder, std::vector<EvidenceEntry> entries) const {
        std::lock_guard<std::mutex> guard(m_cacheLock);
        m_cachedEntries += entries.size() + 1;
        if (m_cachedEntries > kMaxCachedEntries) {
            m_listings.clear();
            m_cachedEntries = entries.size() + 1;
        }
        m_listings[folder] = std::move(entries);
    }

    std::shared_ptr<ReaderProcess> m_process;
    qint32 m_volume;
    QString m_description;
    // The folders listed, which answer entry() for their files: the image
    // does not change.
    mutable std::mutex m_cacheLock;
    mutable std::unordered_map<QByteArray, std::vector<EvidenceEntry>> m_listings;
    mutable size_t m_cachedEntries = 0;
};

} // namespace

std::optional<DiskImage> openDiskImage(const QString& path, const DiskImageOptions& options,
                                       ImageError* error) {
    auto process = std::make_shared<ReaderProcess>(path, options);
    std::optional<DiskImage> image;
    {
        std::lock_guard<std::mutex> guard(process->lock());
        if (!process->start(&image, error))
            return std::nullopt;
    }
    const QString name = imageFileName(path);
    for (size_t i = 0; i < image->volumes.size(); ++i)
        image->files.push_back(std::make_shared<ProcessVolumeFiles>(
            process, qint32(i), image->volumes[i].describe(name)));
    return image;
}

void setImageReaderProgram(const QString& program) {
    std::lock_guard<std::mutex> guard(g_settingsLock);
    g_program = program;
}

void setImageReaderTimeout(int milliseconds) {
    g_timeoutMs = milliseconds;
}

} // namespace vc
