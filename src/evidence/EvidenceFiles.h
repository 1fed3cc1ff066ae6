#pragma once

#include "platform/TimeValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace vc {

// What kind of entry a folder holds.
enum class EntryType : quint8 { File, Folder, Other };

// One entry of a folder of the evidence, as its file system describes it.
struct EvidenceEntry {
    QByteArray name; // the bytes the file system gives (UTF-8 in a disk image)
    EntryType type = EntryType::Other;
    qint64 size = 0;
    // The file system's own times; empty where it keeps none.
    std::optional<TimeValue> created;
    std::optional<TimeValue> modified;
    std::optional<TimeValue> accessed;
    // Listed by the file system although deleted (inside a disk image): its
    // content may since have been overwritten.
    bool deleted = false;
    // A symbolic link (type is that of its target): walks do not descend
    // through it, since it could loop.
    bool symlink = false;
    // The inode or MFT entry number; 0 when not known.
    quint64 fileId = 0;
    // The device of a file of this machine (with fileId, who the file is
    // across mounts); 0 inside a disk image.
    quint64 device = 0;
    // More that the detail pane may show (an NTFS file's $FILE_NAME times).
    QString detail;
};

// Positioned reads of one open file of the evidence.
class EvidenceReader {
public:
    virtual ~EvidenceReader() = default;
    // The file's size in bytes when it was opened.
    virtual qint64 size() const = 0;
    // Reads up to count bytes at offset into out; the number read (fewer
    // only at the end of the file), or -1 after a read error.
    virtual qint64 readAt(qint64 offset, char* out, qint64 count) = 0;
    // What failed, for a message.
    virtual QString errorString() const = 0;

    // Reads exactly count bytes at offset; false when the file has fewer or
    // the read fails.
    bool readExactly(qint64 offset, char* out, qint64 count);

    // Where the file's data lies, so that a copy keeps the holes of a sparse
    // file without reading them: the first offset at or after offset that
    // holds data (size() when only a hole follows), and the end of the data
    // that starts at offset. By default every byte is data.
    virtual qint64 dataFrom(qint64 offset) { return offset; }
    virtual qint64 dataEnd(qint64 /*offset*/) { return size(); }
};

// Why a file of the evidence could not be read whole.
enum class EvidenceReadStatus {
    Ok,
    Missing,    // not there, or not a regular file
    Unreadable, // there, but opening or reading it failed
    TooLarge,   // larger than the reader accepts
};

// Every reader reaches the evidence through this interface: list a folder,
// open a file for positioned reads, copy a file whole into private memory or
// a private folder (for the libraries that need a file of their own). Paths
// are absolute, "/"-separated, as the file system's bytes. Nothing here
// writes to the evidence or moves its access times: the folders of this
// machine are opened read-only (with O_NOATIME where the system allows), and
// a disk image is only ever read.
class EvidenceFiles {
public:
    virtual ~EvidenceFiles() = default;

    // True for the folders of this machine; false for the files inside a
    // disk image, on which the file actions work through private copies.
    virtual bool isLocal() const = 0;
    // The entry at path (a symbolic link followed); nullopt when there is
    // none.
    virtual std::optional<EvidenceEntry> entry(const QByteArray& path) const = 0;
    // The entries of a folder without "." and "..", in the order the
    // listing gives them (names from the folder's own entry, not sorted).
    // False, with *error saying what failed, when it cannot be listed.
    virtual bool list(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                      QString* error) const = 0;
    // The same entries with their names and kinds only (the other fields
    // left empty), for a reader that opens the files it wants anyway: where
    // the folder's own listing tells an entry's kind, its attributes are
    // not asked for one by one. By default the full listing.
    virtual bool listNames(const QByteArray& folder, std::vector<EvidenceEntry>& entries,
                           QString* error) const;
    // Opens a regular file for positioned reads; nullptr with *error when it
    // cannot be opened (a pipe or a device never is).
    virtual std::unique_ptr<EvidenceReader> open(const QByteArray& path, QString* error) const = 0;
    // Copies a regular file whole to destination, which must not exist yet
    // (made with mode 0600); holes of a sparse file stay holes, and where the
    // reader knows them (dataFrom, dataEnd) they are not even read. A file
    // larger than maxBytes is refused before anything is written. False with
    // *error saying what failed; a partial copy is removed.
    virtual bool copyTo(const QByteArray& path, const QString& destination, qint64 maxBytes,
                        QString* error) const;
    // How the evidence is named in messages and title ("/mnt/win",
    // "disk.E01, volume 2").
    virtual QString describe() const = 0;

    // ---- built on the above ----------------------------------------------
    bool isFile(const QByteArray& path) const;
    bool isFolder(const QByteArray& path) const;
    // The name of a child of folder matched without regard to letter case,
    // as NTFS matches names; the exact spelling is preferred. Empty when
    // there is none.
    QByteArray findChildNoCase(const QByteArray& folder, const QByteArray& name) const;
    // base followed by the components, each matched with findChildNoCase
    // while the path exists; components that do not exist keep their
    // spelling.
    QByteArray resolveNoCase(const QByteArray& base, const QList<QByteArray>& components) const;
    // Reads a regular file whole; a file larger than maxBytes is not read.
    EvidenceReadStatus readWhole(const QByteArray& path, qint64 maxBytes, QByteArray* bytes) const;

    // QString forms of the paths, for the callers that hold paths as text.
    static QByteArray pathBytes(const QString& path);
    static QString pathText(const QByteArray& path);
};

// The folders of this machine (a copied or mounted Windows volume or
// profile, and "this computer").
const EvidenceFiles& localEvidenceFiles();

// path joined with name by one "/".
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);
QString joinPath(const QString& folder, const QString& name);

} // namespace vc
