#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vc {

class EvidenceFiles;

// The largest database (with its log and journal) that is copied: larger
// than any browser database of a real profile (Chrome's History of years of
// use stays below a gigabyte), small enough that a forged file cannot fill
// the work folder's disk. A larger one is refused with a message.
constexpr qint64 kMaxDatabaseCopyBytes = qint64(8) << 30;

// A private copy of one database from the evidence, with its write-ahead log
// ("-wal") and rollback journal ("-journal") when they lie beside it. SQLite
// never opens a database where it lies: even a reading connection may create
// or change a "-shm", "-wal" or "-journal" file beside it. The copy opened in
// their place also lets SQLite replay the records still waiting in the log.
// The files are read through the evidence's file interface (read-only,
// without changing their access times where the system allows); the copies
// live in a folder of their own (mode 0700) that goes with the object, and
// keep the holes of a sparse file.
class DatabaseCopy {
public:
    DatabaseCopy() = default;
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;

    // Makes the copies of the database at path (with the log and journal
    // beside it); false with *error saying what failed (the caller names
    // the file). A log or journal that cannot be copied is an error too:
    // reading without it would silently lose records. The database, its log
    // and journal together are refused before anything is copied when they
    // are larger than the size bound (kMaxDatabaseCopyBytes unless set) or
    // than the free space of the work folder.
    bool make(const EvidenceFiles& files, const QByteArray& path, QString* error);
    // The same for a file of this machine's folders.
    bool make(const QString& evidencePath, QString* error);

    // The folder the private folder is made in (the system's temporary
    // folder unless set) and the size bound, for tests.
    void setWorkFolder(const QString& folder) { m_workFolder = folder; }
    void setSizeBound(qint64 bytes) { m_sizeBound = bytes; }

    // The copy of the database, to be opened instead of the evidence.
    QString path() const { return m_path; }
    // The evidence files whose records the copy holds, by name, joined by
    // " + " ("History + History-wal"); an empty log or journal is left out.
    QString readFrom() const { return m_readFrom; }
    // Bytes copied in all (the files' sizes, holes included).
    qint64 size() const { return m_size; }
    // True when a log with records was copied beside the database.
    bool hasLog() const { return m_hasLog; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_workFolder;
    qint64 m_sizeBound = kMaxDatabaseCopyBytes;
    QString m_path;
    QString m_readFrom;
    qint64 m_size = 0;
    bool m_hasLog = false;
};

} // namespace vc
