#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

namespace vc {

// A registry hive file (NTUSER.DAT, SOFTWARE) opened read-only through hivex.
// Key paths are backslash-separated ("Software\Microsoft\Windows") and match
// without regard to letter case, as Windows does; subkeys and values are
// listed in the order the hive keeps them. A damaged hive never crashes the
// reader: whatever hivex cannot read is reported as missing or unreadable.
class Hive {
public:
    using Node = std::size_t;

    // Windows value types the program tells apart.
    enum ValueType : int {
        None = 0,
        Text = 1,       // REG_SZ
        ExpandText = 2, // REG_EXPAND_SZ
        Binary = 3,     // REG_BINARY
        Dword = 4,      // REG_DWORD
        MultiText = 7,  // REG_MULTI_SZ
    };

    struct Value {
        QString name; // empty for the key's default value
        // The type number the value's cell holds; a number no Windows type
        // has (a damaged cell) stays that number and is read as binary.
        int type = None;
        qsizetype size = 0;
    };

    // Outcome of reading one value as text.
    enum class ReadStatus { Ok, NoKey, NoValue, NotText, Unreadable };
    struct TextResult {
        ReadStatus status = ReadStatus::NoKey;
        QString text;
        int type = None; // the value's type when it exists
        bool ok() const { return status == ReadStatus::Ok; }
    };

    ~Hive();
    Hive(const Hive&) = delete;
    Hive& operator=(const Hive&) = delete;

    // Opens a hive file for reading. On failure returns null and *error names
    // the file and says what is wrong with it.
    static std::unique_ptr<Hive> open(const QString& path, QString* error);
    // The same for a hive reached through another way of reading (a file
    // inside a disk image): read(offset, out, count) gives the bytes read,
    // fewer at the end, or -1 on an error. The hive is copied into private
    // memory for hivex; one larger than kMaxStreamedHive is refused.
    using ReadAt = std::function<qint64(qint64 offset, char* out, qint64 count)>;
    static std::unique_ptr<Hive> openStream(const QString& path, qint64 size, const ReadAt& read,
                                            QString* error);
    static constexpr qint64 kMaxStreamedHive = qint64(512) * 1024 * 1024;

    QString path() const { return m_path; }

    Node root() const;
    // The key at a path below the root; nullopt when any component is missing.
    std::optional<Node> findKey(const QString& keyPath) const;
    // The direct child of a key by name, letter case ignored (exact preferred).
    std::optional<Node> child(Node key, const QString& name) const;
    QString keyName(Node key) const;
    // When the key was last written, as a FILETIME (100-nanosecond steps
    // since 1601, UTC); nullopt when the hive does not say.
    std::optional<qint64> lastWriteTime(Node key) const;
    QStringList subkeyNames(Node key) const;
    QList<Node> subkeys(Node key) const;
    QList<Value> values(Node key) const;

    // A REG_SZ or REG_EXPAND_SZ value as text (up to its first NUL); a value
    // of another type gives NotText with its type, so that the caller can name
    // the value in a message. The empty name reads the default value.
    TextResult readString(Node key, const QString& valueName) const;
    TextResult readString(const QString& keyPath, const QString& valueName) const;

    // The raw bytes of a value of any type; nullopt when missing or unreadable.
    std::optional<QByteArray> readBytes(Node key, const QString& valueName, int* type) const;

    // The largest value this reader loads; larger ones count as unreadable.
    static constexpr qsizetype kMaxValueSize = 16 * 1024 * 1024;

private:
    Hive() = default;
    std::optional<std::size_t> findValue(Node key, const QString& valueName) const;
    std::optional<QByteArray> valueBytes(std::size_t value, int* type) const;

    void* m_handle = nullptr; // hive_h*
    QString m_path;
};

// Splits a key path at backslashes, dropping empty components.
QStringList splitKeyPath(const QString& keyPath);

// UTF-16LE bytes of a registry string up to the first NUL (an odd last byte
// is dropped).
QString decodeRegistryText(QByteArrayView bytes);

} // namespace vc
