#include "platform/Hive.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "platform/EvidenceOpen.h"

#include <hivex.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace vc {

namespace {

// A hive starts with a 4096-byte base block followed by at least one
// 4096-byte bin; its cell offsets are 32-bit, so no real hive exceeds 4 GiB.
constexpr qint64 kBaseBlockSize = 4096;
constexpr qint64 kMinHiveSize = 8192;
constexpr qint64 kMaxHiveSize = qint64(4) * 1024 * 1024 * 1024;

// Hives up to this size are read from a private copy in memory (a real
// NTUSER.DAT is a few MiB, rarely 100); a larger one is opened by hivex
// itself, so that a forged file never makes the program hold gigabytes.
constexpr qint64 kMaxCopiedHive = qint64(512) * 1024 * 1024;

// Writes all of count bytes; false on an error.
bool writeAll(int fd, const char* data, ssize_t count) {
    while (count > 0) {
        const ssize_t put = ::write(fd, data, size_t(count));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        count -= put;
    }
    return true;
}

// A copy of the file in memory, as a descriptor that /proc/self/fd names;
// -1 when the file cannot be read or no such copy can be made (no memfd, no
// /proc).
int copyToMemory(const QString& path) {
    const int in = openEvidenceDescriptor(QFile::encodeName(path));
    if (in < 0)
        return -1;
    int copy = memfd_create("vellacord-hive", MFD_CLOEXEC);
    if (copy >= 0 && ::access(("/proc/self/fd/" + std::to_string(copy)).c_str(), R_OK) != 0) {
        ::close(copy);
        copy = -1;
    }
    char buffer[1 << 16];
    while (copy >= 0) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || !writeAll(copy, buffer, got)) {
            ::close(copy);
            copy = -1;
        }
    }
    ::close(in);
    return copy;
}

// Subkeys and values a single key may list; hivex bounds them by the file
// size, this keeps a forged count from building huge lists.
constexpr std::size_t kMaxListed = 1 << 20;

hive_h* handle(void* h) {
    return static_cast<hive_h*>(h);
}

// hivex returns names it allocated with malloc; take them over as UTF-8.
QString takeName(char* name) {
    if (!name)
        return QString();
    QString text = QString::fromUtf8(name);
    std::free(name);
    return text;
}

// The type of a value as the 32-bit number its cell holds. hivex stores that
// number through a hive_type pointer whatever it is; a damaged cell holds
// numbers no enumerator names (127, 0x10000002), and such a number must never
// be read as the enumeration. The storage is an integer of the enumeration's
// size, so nothing of the enumeration type is ever loaded. Types no reader
// here knows are read as binary: bytes, never text.
struct RawValueType {
    std::underlying_type_t<hive_type> number = 0;
    hive_type* out() { return reinterpret_cast<hive_type*>(&number); }
    int type() const {
        const auto n = static_cast<uint32_t>(number);
        return n > uint32_t(INT32_MAX) ? int(Hive::Binary) : int(n);
    }
};
static_assert(sizeof(RawValueType::number) == sizeof(hive_type));

QString errnoText(int code) {
    return code ? QString::fromLocal8Bit(std::strerror(code)) : QStringLiteral("unknown error");
}

} // namespace

QStringList splitKeyPath(const QString& keyPath) {
    return keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString decodeRegistryText(QByteArrayView bytes) {
    const qsizetype units = bytes.size() / 2;
    QString text;
    text.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        const char16_t unit = char16_t(lo | (hi << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

Hive::~Hive() {
    if (m_handle)
        hivex_close(handle(m_handle));
}

std::unique_ptr<Hive> Hive::open(const QString& path, QString* error) {
    auto fail = [&](const QString& why) -> std::unique_ptr<Hive> {
        if (error)
            *error = QStringLiteral("Cannot read the registry hive %1: %2").arg(path, why);
        return nullptr;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("the file does not exist"));
    // Only regular files: opening a FIFO or device would block or never end.
    if (!info.isFile())
        return fail(QStringLiteral("not a regular file"));
    if (info.size() < kMinHiveSize)
        return fail(QStringLiteral("the file is too short to be a registry hive (%1 bytes)")
                        .arg(info.size()));
    if (info.size() > kMaxHiveSize)
        return fail(QStringLiteral("the file is too large to be a registry hive"));
    {
        QFile file(path);
        if (!openWithoutAccessTime(file))
            return fail(file.errorString());
        const QByteArray base = file.read(kBaseBlockSize);
        if (!base.startsWith(QByteArrayLiteral("regf")))
            return fail(QStringLiteral("not a registry hive (no \"regf\" signature)"));
        // hivex reads what a cut-off copy still holds; such a copy is
        // refused instead, so that it never passes for the whole hive.
        const qint64 declared =
            kBaseBlockSize + qFromLittleEndian<quint32>(base.constData() + 0x28);
        if (declared > info.size())
            return fail(QStringLiteral("the hive is truncated (%1 of %2 bytes)")
                            .arg(info.size())
                            .arg(declared));
    }

    // Without HIVEX_OPEN_WRITE hivex never writes to the file. It opens the
    // file by its name, which would set its last-access time, so it is given
    // a private copy in memory, read through the access-time-keeping open;
    // where that copy cannot be made it opens the file itself.
    errno = 0;
    hive_h* h = nullptr;
    if (const int copy = info.size() <= kMaxCopiedHive ? copyToMemory(path) : -1; copy >= 0) {
        h = hivex_open(QByteArray("/proc/self/fd/" + QByteArray::number(copy)).constData(), 0);
        const int code = errno;
        ::close(copy);
        errno = code;
    } else {
        h = hivex_open(QFile::encodeName(path).constData(), 0);
    }
    if (!h) {
        const int code = errno;
        // The signature was checked above: hivex refuses a hive with cells
        // it cannot read with ENOTSUP.
        if (code == ENOTSUP)
            return fail(QStringLiteral("the hive is damaged (a cell that cannot be read)"));
        return fail(QStringLiteral("the hive is damaged or truncated (%1)").arg(errnoText(code)));
    }
    std::unique_ptr<Hive> hive(new Hive);
    hive->m_handle = h;
    hive->m_path = path;
    if (hivex_root(h) == 0)
        return fail(QStringLiteral("the hive has no readable root key"));
    return hive;
}

std::unique_ptr<Hive> Hive::openStream(const QString& path, qint64 size, const ReadAt& read,
                                       QString* error) {
    auto fail = [&](const QString& why) -> std::unique_ptr<Hive> {
        if (error)
            *error = QStringLiteral("Cannot read the registry hive %1: %2").arg(path, why);
        return nullptr;
    };
    if (size < kMinHiveSize)
        return fail(
            QStringLiteral("the file is too short to be a registry hive (%1 bytes)").arg(size));
    if (size > kMaxStreamedHive)
        return fail(QStringLiteral("the file is too large to be a registry hive"));
    char base[kBaseBlockSize];
    if (read(0, base, kBaseBlockSize) != kBaseBlockSize)
        return fail(QStringLiteral("the file cannot be read"));
    if (std::memcmp(base, "regf", 4) != 0)
        return fail(QStringLiteral("not a registry hive (no \"regf\" signature)"));
    const qint64 declared = kBaseBlockSize + qFromLittleEndian<quint32>(base + 0x28);
    if (declared > size)
        return fail(
            QStringLiteral("the hive is truncated (%1 of %2 bytes)").arg(size).arg(declared));
    const int copy = memfd_create("vellacord-hive", MFD_CLOEXEC);
    if (copy < 0)
        return fail(errnoText(errno));
    std::vector<char> buffer(std::size_t(1) << 16);
    for (qint64 at = 0; at < size;) {
        const qint64 got =
            read(at, buffer.data(), std::min<qint64>(qint64(buffer.size()), size - at));
        if (got <= 0 || !writeAll(copy, buffer.data(), ssize_t(got))) {
            ::close(copy);
            return fail(QStringLiteral("the file cannot be read whole"));
        }
        at += got;
    }
    errno = 0;
    hive_h* h = hivex_open(QByteArray("/proc/self/fd/" + QByteArray::number(copy)).constData(), 0);
    const int code = errno;
    ::close(copy);
    if (!h) {
        if (code == ENOTSUP)
            return fail(QStringLiteral("the hive is damaged (a cell that cannot be read)"));
        return fail(QStringLiteral("the hive is damaged or truncated (%1)").arg(errnoText(code)));
    }
    std::unique_ptr<Hive> hive(new Hive);
    hive->m_handle = h;
    hive->m_path = path;
    if (hivex_root(h) == 0)
        return fail(QStringLiteral("the hive has no readable root key"));
    return hive;
}

Hive::Node Hive::root() const {
    return hivex_root(handle(m_handle));
}

QList<Hive::Node> Hive::subkeys(Node key) const {
    QList<Node> result;
    if (key == 0)
        return result;
    hive_node_h* children = hivex_node_children(handle(m_handle), key);
    if (!children)
        return result;
    for (std::size_t i = 0; children[i] != 0 && i < kMaxListed; ++i)
        result.append(children[i]);
    std::free(children);
    return result;
}

QString Hive::keyName(Node key) const {
    return key == 0 ? QString() : takeName(hivex_node_name(handle(m_handle), key));
}

std::optional<qint64> Hive::lastWriteTime(Node key) const {
    if (key == 0)
        return std::nullopt;
    errno = 0;
    const int64_t stamp = hivex_node_timestamp(handle(m_handle), key);
    if (stamp < 0)
        return std::nullopt;
    return qint64(stamp);
}

QStringList Hive::subkeyNames(Node key) const {
    QStringList names;
    for (Node child : subkeys(key))
        names.append(keyName(child));
    return names;
}

std::optional<Hive::Node> Hive::child(Node key, const QString& name) const {
    std::optional<Node> loose;
    for (Node node : subkeys(key)) {
        const QString n = keyName(node);
        if (n == name)
            return node;
        if (!loose && n.compare(name, Qt::CaseInsensitive) == 0)
            loose = node;
    }
    return loose;
}

std::optional<Hive::Node> Hive::findKey(const QString& keyPath) const {
    Node node = root();
    if (node == 0)
        return std::nullopt;
    for (const QString& part : splitKeyPath(keyPath)) {
        const auto next = child(node, part);
        if (!next)
            return std::nullopt;
        node = *next;
    }
    return node;
}

QList<Hive::Value> Hive::values(Node key) const {
    QList<Value> result;
    if (key == 0)
        return result;
    hive_h* h = handle(m_handle);
    hive_value_h* list = hivex_node_values(h, key);
    if (!list)
        return result;
    for (std::size_t i = 0; list[i] != 0 && i < kMaxListed; ++i) {
        Value value;
        value.name = takeName(hivex_value_key(h, list[i]));
        RawValueType type;
        std::size_t len = 0;
        if (hivex_value_type(h, list[i], type.out(), &len) == 0) {
            value.type = type.type();
            value.size = qsizetype(len);
        }
        result.append(value);
    }
    std::free(list);
    return result;
}

std::optional<std::size_t> Hive::findValue(Node key, const QString& valueName) const {
    if (key == 0)
        return std::nullopt;
    hive_h* h = handle(m_handle);
    // A key cannot hold two names that differ only in letter case, so
    // hivex's own lookup (ASCII case ignored) finds the one value there is;
    // other letters are compared below.
    errno = 0;
    if (const hive_value_h quick = hivex_node_get_value(h, key, valueName.toUtf8().constData()))
        return quick;
    hive_value_h* list = hivex_node_values(h, key);
    if (!list)
        return std::nullopt;
    std::optional<std::size_t> exact;
    std::optional<std::size_t> loose;
    for (std::size_t i = 0; list[i] != 0 && i < kMaxListed && !exact; ++i) {
        const QString name = takeName(hivex_value_key(h, list[i]));
        if (name == valueName)
            exact = list[i];
        else if (!loose && name.compare(valueName, Qt::CaseInsensitive) == 0)
            loose = list[i];
    }
    std::free(list);
    return exact ? exact : loose;
}

std::optional<QByteArray> Hive::valueBytes(std::size_t value, int* type) const {
    hive_h* h = handle(m_handle);
    RawValueType t;
    std::size_t len = 0;
    if (hivex_value_type(h, value, t.out(), &len) != 0 || len > std::size_t(kMaxValueSize))
        return std::nullopt;
    if (type)
        *type = t.type();
    char* data = hivex_value_value(h, value, t.out(), &len);
    if (!data)
        return std::nullopt;
    QByteArray bytes(data, qsizetype(std::min(len, std::size_t(kMaxValueSize))));
    std::free(data);
    return bytes;
}

std::optional<QByteArray> Hive::readBytes(Node key, const QString& valueName, int* type) const {
    const auto value = findValue(key, valueName);
    return value ? valueBytes(*value, type) : std::nullopt;
}

Hive::TextResult Hive::readString(Node key, const QString& valueName) const {
    TextResult result;
    if (key == 0)
        return result;
    const auto value = findValue(key, valueName);
    if (!value) {
        result.status = ReadStatus::NoValue;
        return result;
    }
    int type = None;
    const auto bytes = valueBytes(*value, &type);
    if (!bytes) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    result.type = type;
    if (type != Text && type != ExpandText) {
        result.status = ReadStatus::NotText;
        return result;
    }
    result.status = ReadStatus::Ok;
    result.text = decodeRegistryText(*bytes);
    return result;
}

Hive::TextResult Hive::readString(const QString& keyPath, const QString& valueName) const {
    const auto key = findKey(keyPath);
    if (!key)
        return TextResult{};
    return readString(*key, valueName);
}

} // namespace vc
