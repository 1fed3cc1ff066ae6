#include "browsers/SqliteReader.h"

#include <QFile>

#include <sqlite3.h>

#include <algorithm>

namespace vc {

namespace {

// The progress handler is called every kStepsPerCall virtual machine steps.
constexpr int kStepsPerCall = 10000;
// Steps allowed per byte of the database, and a floor for small files. A
// real query over a browser database needs a few steps per byte; this is
// fifty times that, and ends a query that a crafted schema or a damaged
// page would keep running.
constexpr qint64 kStepsPerByte = 256;
constexpr qint64 kMinimumSteps = qint64(1) << 30;

} // namespace

SqliteDatabase::~SqliteDatabase() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

bool SqliteDatabase::open(const QString& path, qint64 sizeBytes, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(name.constData(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        *error =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    // Nothing the file's schema defines is run: no views, no triggers, no
    // functions with side effects; no statement may write.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    setStepBudget(std::max(kMinimumSteps, sizeBytes * kStepsPerByte));
    sqlite3_progress_handler(m_db, kStepsPerCall, &SqliteDatabase::onProgress, this);
    const char* setup = "PRAGMA query_only = 1; PRAGMA cell_size_check = 1;";
    if (sqlite3_exec(m_db, setup, nullptr, nullptr, nullptr) != SQLITE_OK) {
        *error = errorText();
        return false;
    }
    // The first read of the schema tells whether this is a database at all.
    // A damaged schema (an index whose pages were cut off) refuses every
    // statement; read leniently, the tables that are whole still answer.
    if (!readSchema()) {
        if ((sqlite3_extended_errcode(m_db) & 0xFF) != SQLITE_CORRUPT) {
            *error = errorText();
            return false;
        }
        m_damage = errorText();
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_WRITABLE_SCHEMA, 1, nullptr);
        if (!readSchema()) {
            *error = errorText();
            return false;
        }
    }
    // The visit join looks up an address row for every visit, all over the
    // urls table: a page cache that holds it saves most of the reads. (Set
    // after the schema was read: this pragma needs it.)
    sqlite3_exec(m_db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
    return true;
}

// Preparing a statement loads the schema; one step reads the first entry.
// (Counting the entries would walk every page of the schema table, which a
// truncated file may have lost without losing the tables themselves.)
bool SqliteDatabase::readSchema() {
    return sqlite3_exec(m_db, "SELECT type FROM sqlite_master LIMIT 1", nullptr, nullptr,
                        nullptr) == SQLITE_OK;
}

void SqliteDatabase::setStepBudget(qint64 steps) {
    m_budget = steps / kStepsPerCall + 1;
}

int SqliteDatabase::onProgress(void* self) {
    auto* database = static_cast<SqliteDatabase*>(self);
    return --database->m_budget <= 0 ? 1 : 0;
}

QString SqliteDatabase::errorText() const {
    if (m_budget <= 0)
        return QStringLiteral("reading took longer than a database of this size can need");
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

bool SqliteDatabase::noteIfDamaged(const QString& message) {
    const int code = m_db ? (sqlite3_extended_errcode(m_db) & 0xFF) : SQLITE_OK;
    if (m_budget <= 0 || (code != SQLITE_CORRUPT && code != SQLITE_NOTADB))
        return false;
    if (m_damage.isEmpty())
        m_damage = message;
    return true;
}

bool SqliteDatabase::hasTable(const char* name) {
    SqliteRows rows(*this, QByteArrayLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                             "AND name = '") +
                               QByteArray(name) + QByteArrayLiteral("' COLLATE NOCASE"));
    if (rows.next())
        return true;
    // A statement that failed did not find out: the schema may hold the
    // table on a page that cannot be read.
    if (!rows.error().isEmpty() && m_damage.isEmpty() && m_lookupError.isEmpty())
        m_lookupError = rows.error();
    return false;
}

QSet<QByteArray> SqliteDatabase::columns(const char* table) {
    QSet<QByteArray> names;
    if (!hasTable(table))
        return names;
    SqliteRows rows(*this, QByteArrayLiteral("SELECT name FROM pragma_table_info('") +
                               QByteArray(table) + QByteArrayLiteral("')"));
    while (rows.next())
        names.insert(rows.bytes(0).toLower());
    if (!rows.error().isEmpty() && m_damage.isEmpty() && m_lookupError.isEmpty())
        m_lookupError = rows.error();
    return names;
}

SqliteRows::SqliteRows(SqliteDatabase& database, const QByteArray& sql) : m_database(database) {
    if (sqlite3_prepare_v2(database.handle(), sql.constData(), int(sql.size()), &m_statement,
                           nullptr) != SQLITE_OK) {
        m_error = database.errorText();
        database.noteIfDamaged(m_error);
        m_done = true;
    }
}

SqliteRows::~SqliteRows() {
    sqlite3_finalize(m_statement);
}

bool SqliteRows::next() {
    if (m_done)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    m_done = true;
    if (rc != SQLITE_DONE) {
        m_error = m_database.errorText();
        m_database.noteIfDamaged(m_error);
    }
    return false;
}

bool SqliteRows::isNull(int column) const {
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SqliteRows::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

QByteArray SqliteRows::bytes(int column) const {
    // Text is asked for first: for a number it gives the number's digits.
    const auto* text = sqlite3_column_text(m_statement, column);
    const int n = sqlite3_column_bytes(m_statement, column);
    if (!text || n <= 0)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(text), n);
}

void SqliteRows::appendBytes(int column, QByteArray& out) const {
    const auto* text = sqlite3_column_text(m_statement, column);
    const int n = sqlite3_column_bytes(m_statement, column);
    if (text && n > 0)
        out.append(reinterpret_cast<const char*>(text), n);
}

int SqliteRows::size(int column) const {
    return sqlite3_column_bytes(m_statement, column);
}

} // namespace vc
