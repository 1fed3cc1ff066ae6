#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vc {

// A private copy of one database from the evidence, with its write-ahead log
// ("-wal") and rollback journal ("-journal") when they lie beside it. SQLite
// never opens a database where it lies: even a reading connection may create
// or change a "-shm", "-wal" or "-journal" file beside it. The copy opened in
// their place also lets SQLite replay the records still waiting in the log.
// The evidence files are opened read-only without changing their access
// times where the system allows; the copies live in a folder of their own
// (mode 0700) that goes with the object.
class DatabaseCopy {
public:
    DatabaseCopy() = default;
    DatabaseCopy(const DatabaseCopy&) = delete;
    DatabaseCopy& operator=(const DatabaseCopy&) = delete;

    // Makes the copies; false with *error saying what failed (the caller
    // names the file). A log or journal that cannot be copied is an error
    // too: reading without it would silently lose records.
    bool make(const QString& evidencePath, QString* error);

    // The copy of the database, to be opened instead of the evidence.
    QString path() const { return m_path; }
    // The evidence files whose records the copy holds, by name, joined by
    // " + " ("History + History-wal"); an empty log or journal is left out.
    QString readFrom() const { return m_readFrom; }
    // Bytes copied in all.
    qint64 size() const { return m_size; }
    // True when a log with records was copied beside the database.
    bool hasLog() const { return m_hasLog; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QString m_readFrom;
    qint64 m_size = 0;
    bool m_hasLog = false;
};

} // namespace vc
