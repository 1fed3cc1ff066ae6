#pragma once

#include "TestData.h"
#include "browsers/BrowserLoad.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"
#include "tables/RowSink.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace vc::testing {

// Keeps every row it is given, with the cells the loader gave.
class CollectingSink : public RowSink {
public:
    int columns() const override { return 64; }
    void appendCells(const QByteArrayView* cells, int count) override {
        QList<QByteArray> row;
        for (int c = 0; c < count; ++c)
            row.append(cellTimeText(cells[c])); // a time as its text
        rows.append(row);
    }
    void clearRows() override { rows.clear(); }
    QList<QList<QByteArray>> rows;
};

// The rows of a file of tests/data/expected: lines of tab-separated fields.
inline QList<QList<QByteArray>> expectedRows(const QString& name) {
    QFile file(testDataPath(QStringLiteral("expected/") + name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    QList<QList<QByteArray>> rows;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            rows.append(line.split('\t'));
    return rows;
}

// Runs SQL on a database of the test's own (never on evidence).
inline void execSql(sqlite3* db, const char* sql) {
    char* message = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK)
        << (message ? message : "") << "\n"
        << sql;
}

// A copy of a test file (or a new database) opened for writing, as the
// browser holds it; nullptr when it cannot be opened.
inline sqlite3* openAsBrowser(const QString& path, const QString& testFile = QString()) {
    QDir().mkpath(QFileInfo(path).path());
    if (!testFile.isEmpty()) {
        QFile::remove(path);
        if (!QFile::copy(testDataPath(testFile), path))
            return nullptr;
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

// Makes a database file from SQL.
inline void makeDatabase(const QString& path, const char* sql) {
    sqlite3* db = openAsBrowser(path);
    ASSERT_NE(db, nullptr);
    execSql(db, sql);
    sqlite3_close(db);
}

inline void copyTestFile(const QString& name, const QString& to) {
    QDir().mkpath(QFileInfo(to).path());
    QFile::remove(to);
    ASSERT_TRUE(QFile::copy(testDataPath(name), to)) << to.toStdString();
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

// Every file below a folder with its bytes, modification time and access
// time: two snapshots are equal when nothing was added, removed or changed.
struct FileState {
    QByteArray bytes;
    qint64 modified = 0;
    qint64 accessed = 0;
    bool operator==(const FileState&) const = default;
};
inline QMap<QString, FileState> snapshot(const QString& folder) {
    QMap<QString, FileState> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
            continue;
        FileState state;
        state.modified = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
        // A folder's access time moves whenever anyone lists it; a file's
        // must not move when the program reads it.
        if (S_ISREG(info.st_mode)) {
            state.accessed = info.st_atim.tv_sec * 1000000000LL + info.st_atim.tv_nsec;
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOATIME);
            QFile file;
            if (fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                state.bytes = file.readAll();
        }
        files.insert(QDir(folder).relativeFilePath(path), state);
    }
    return files;
}

// Time texts of the tests: SQLite's datetime() layout, in UTC.
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_format = dateTimeFormat();
        m_utc = showsUtc();
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        setShowsUtc(true);
    }
    void TearDown() override {
        setDateTimeFormat(m_format);
        setShowsUtc(m_utc);
    }

    // Loads one table from one database file.
    CollectingSink load(BrowserTable table, Browser browser, BrowserDatabaseKind kind,
                        const QString& path, CollectingReporter* reporter = nullptr,
                        const RecallConditionSet* filter = nullptr) {
        CollectingSink sink;
        LoadContext context;
        context.report = reporter;
        context.filter = filter;
        loadBrowserTable(table, {{browser, kind, QStringLiteral("Default"), path, QString()}},
                         context, sink);
        return sink;
    }

private:
    QString m_format;
    bool m_utc = false;
};

} // namespace vc::testing
