#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace vc {

// A database opened for reading with SQLite, made safe for files from the
// evidence: views, triggers and functions the file's schema might bring are
// not run, every page is checked as it is read, and all statements together
// get a work budget in proportion to the file's size, so that a hostile file
// cannot keep a query running for ever. Meant for a private copy
// (DatabaseCopy): opening may roll back a journal or replay a log into it.
class SqliteDatabase {
public:
    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Opens the file; sizeBytes (the bytes of the database and its log) sets
    // the work budget. False with *error when SQLite cannot open it or the
    // file is not a database.
    bool open(const QString& path, qint64 sizeBytes, QString* error);

    // Replaces the work budget: the virtual-machine steps that all further
    // statements may take together.
    void setStepBudget(qint64 steps);

    // True when the database has a real table of that name (letter case
    // ignored, as SQLite does); a view of that name does not count. False
    // also when the schema cannot be read: damage() or lookupError() then
    // says why.
    bool hasTable(const char* name);
    // The column names of a table, in lower case (empty when there is none
    // or it cannot be read; see hasTable).
    QSet<QByteArray> columns(const char* table);

    // What SQLite found damaged (it calls the file malformed): the schema,
    // when it could be read only by leaving its damaged entries out (a
    // truncated file loses the pages of some tables or indexes), or any
    // statement that met a damaged page since. Empty for a sound file.
    QString damage() const { return m_damage; }
    // Why a look at the schema failed for another reason (the work budget
    // spent); empty when none did.
    QString lookupError() const { return m_lookupError; }

    // Called by the statements: notes SQLite's message as the file's damage
    // when the last failure was a damaged page or no database at all.
    // True when it was.
    bool noteIfDamaged(const QString& message);

    // SQLite's last message, or the budget's when the budget was spent.
    QString errorText() const;
    sqlite3* handle() const { return m_db; }

private:
    bool readSchema();
    static int onProgress(void* self);

    sqlite3* m_db = nullptr;
    qint64 m_budget = 0; // steps of the progress handler left
    QString m_damage;
    QString m_lookupError;
};

// The rows of one SELECT statement.
class SqliteRows {
public:
    SqliteRows(SqliteDatabase& database, const QByteArray& sql);
    ~SqliteRows();
    SqliteRows(const SqliteRows&) = delete;
    SqliteRows& operator=(const SqliteRows&) = delete;

    // Steps to the next row: false at the end or on a failure.
    bool next();
    // Empty while all went well; else why the statement stopped (not ready,
    // corrupt page, budget spent). A damaged page is also noted as the
    // database's damage().
    QString error() const { return m_error; }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    // The bytes of a text or blob cell (UTF-8 for text).
    QByteArray bytes(int column) const;
    // The same bytes appended to out.
    void appendBytes(int column, QByteArray& out) const;
    int size(int column) const;

private:
    SqliteDatabase& m_database;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
    bool m_done = false;
};

} // namespace vc
