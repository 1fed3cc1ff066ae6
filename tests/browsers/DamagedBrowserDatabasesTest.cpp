// Databases as they are found rather than as they should be: records still
// in the write-ahead log, a database another program holds locked in the
// middle of a write, truncated, garbage, empty or not a file at all. Each
// gives the rows that can be read and a report naming the file, and the
// evidence folder stays exactly as it was.
#include "BrowserTestSupport.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserReaders.h"
#include "browsers/DatabaseCopy.h"
#include "browsers/SqliteReader.h"

#include <QRandomGenerator>

#include <unistd.h>

namespace vc::testing {
namespace {

using DamagedBrowserDatabases = BrowserTest;

// A visit newer than all of chrome-History's, at 2022-06-18 04:26:40 UTC.
const char* const kNewVisit =
    "INSERT INTO urls (id, url, title, visit_count, typed_count, last_visit_time, hidden, "
    "favicon_id) VALUES (1000, 'http://wal.example/', 'Only in the log', 1, 1, "
    "13300000000000000, 0, 0);"
    "INSERT INTO visits (id, url, visit_time, from_visit, transition, segment_id, is_indexed) "
    "VALUES (1000, 1000, 13300000000000000, 0, 1, 0, 0);";

QList<QByteArray> urlsAndTimes(const QList<QList<QByteArray>>& rows) {
    QList<QByteArray> out;
    for (const auto& row : rows)
        out << row[0] + ' ' + row[2];
    return out;
}

TEST_F(DamagedBrowserDatabases, VisitsStillInTheWriteAheadLogAreRead) {
    QTemporaryDir work;
    QTemporaryDir evidence;
    const QString live = work.filePath(QStringLiteral("History"));
    sqlite3* browser = openAsBrowser(live, QStringLiteral("chrome-History"));
    ASSERT_NE(browser, nullptr);
    execSql(browser, "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;");
    execSql(browser, kNewVisit);
    // Copied while the browser holds the database: closing it would move
    // the log's pages into the database file.
    const QString history = evidence.filePath(QStringLiteral("History"));
    ASSERT_TRUE(QFile::copy(live, history));
    ASSERT_TRUE(QFile::copy(live + QStringLiteral("-wal"), history + QStringLiteral("-wal")));
    sqlite3_close(browser);
    ASSERT_GT(QFileInfo(history + QStringLiteral("-wal")).size(), 0);

    const auto before = snapshot(evidence.path());
    CollectingReporter reporter;
    const CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                     BrowserDatabaseKind::ChromeHistory, history, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
    ASSERT_EQ(sink.rows.size(), 70);
    const QList<QByteArray>& last = sink.rows.last();
    EXPECT_EQ(last[kHistoryUrl], "http://wal.example/");
    EXPECT_EQ(last[kHistoryTitle], "Only in the log");
    EXPECT_EQ(last[kHistoryVisitTime], "2022-06-18 04:26:40");
    EXPECT_EQ(last[kHistoryTransition], "typed");
    EXPECT_EQ(last[kHistoryBrowser + 3], "History + History-wal");
    // The other 69 are the file's own, in order.
    EXPECT_EQ(urlsAndTimes(sink.rows.mid(0, 69)),
              urlsAndTimes(expectedRows(QStringLiteral("chrome-History.visits.tsv"))));
    // Nothing beside the database: no "-shm", the log as it was.
    EXPECT_EQ(snapshot(evidence.path()), before);

    // Without its log the database does not have the new visit: it came
    // from the log.
    ASSERT_TRUE(QFile::remove(history + QStringLiteral("-wal")));
    const CollectingSink without =
        load(BrowserTable::History, Browser::Chrome, BrowserDatabaseKind::ChromeHistory, history);
    EXPECT_EQ(without.rows.size(), 69);
    EXPECT_EQ(without.rows.last()[kHistoryBrowser + 3], "History");
}

TEST_F(DamagedBrowserDatabases, DatabaseLockedInTheMiddleOfAWriteGivesItsCommittedRows) {
    QTemporaryDir evidence;
    const QString history = evidence.filePath(QStringLiteral("History"));
    sqlite3* browser = openAsBrowser(history, QStringLiteral("chrome-History"));
    ASSERT_NE(browser, nullptr);
    // The browser holds the file locked, with a write under way: its
    // journal lies beside the database.
    execSql(browser, "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE;");
    execSql(browser, kNewVisit);
    execSql(browser, "DELETE FROM visits WHERE id < 10;");
    ASSERT_TRUE(QFileInfo::exists(history + QStringLiteral("-journal")));

    const auto before = snapshot(evidence.path());
    CollectingReporter reporter;
    const CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                     BrowserDatabaseKind::ChromeHistory, history, &reporter);
    EXPECT_TRUE(reporter.errors.isEmpty()) << reporter.errors.join(' ').toStdString();
    // The browser's journal was copied too (and rolled back in the copy).
    EXPECT_EQ(sink.rows[0][kHistoryBrowser + 3], "History + History-journal");
    EXPECT_EQ(urlsAndTimes(sink.rows),
              urlsAndTimes(expectedRows(QStringLiteral("chrome-History.visits.tsv"))));
    EXPECT_EQ(snapshot(evidence.path()), before);
    execSql(browser, "ROLLBACK;");
    sqlite3_close(browser);
}

TEST_F(DamagedBrowserDatabases, TruncatedGarbageEmptyAndNonFilesAreReportedByName) {
    QTemporaryDir evidence;
    QFile real(testDataPath(QStringLiteral("chrome-History")));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray bytes = real.readAll();
    const auto expected = urlsAndTimes(expectedRows(QStringLiteral("chrome-History.visits.tsv")));

    auto write = [&](const QString& name, const QByteArray& content) {
        QFile file(evidence.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(15);
    for (char& b : garbage)
        b = char(random.bounded(256));
    // Cut at every eighth of the file: each gives a prefix of the visits
    // (never a made-up row) or none, and one report naming the file. From
    // the half on, only index pages are lost and every visit is read.
    QStringList files;
    for (int eighth = 1; eighth < 8; ++eighth)
        files << write(QStringLiteral("History-cut%1").arg(eighth),
                       bytes.left(bytes.size() * eighth / 8));
    const QString garbageFile = write(QStringLiteral("History-garbage"), garbage);
    const QString emptyFile = write(QStringLiteral("History-empty"), QByteArray());
    const QString fifo = evidence.filePath(QStringLiteral("History-fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto before = snapshot(evidence.path());

    for (const QString& path : files) {
        SCOPED_TRACE(path.toStdString());
        CollectingReporter reporter;
        const CollectingSink sink = load(BrowserTable::History, Browser::Chrome,
                                         BrowserDatabaseKind::ChromeHistory, path, &reporter);
        const QList<QByteArray> got = urlsAndTimes(sink.rows);
        EXPECT_EQ(got, expected.mid(0, got.size()));
        const QStringList reports = reporter.errors + reporter.warnings;
        ASSERT_EQ(reports.size(), 1);
        EXPECT_TRUE(reports[0].contains(QLatin1Char('\n') + path + QLatin1Char('\n')));
        if (path.endsWith(QLatin1String("cut4"))) {
            EXPECT_EQ(got.size(), expected.size());
        }
    }

    for (const QString& path : {garbageFile, fifo}) {
        CollectingReporter reporter;
        EXPECT_TRUE(load(BrowserTable::History, Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
                         path, &reporter)
                        .rows.isEmpty());
        ASSERT_EQ(reporter.errors.size(), 1);
        EXPECT_TRUE(reporter.errors[0].startsWith(
            QStringLiteral("Error! The browser database cannot be read:\n") + path))
            << reporter.errors[0].toStdString();
    }

    // An empty file is an empty database: no table, a warning.
    CollectingReporter reporter;
    EXPECT_TRUE(load(BrowserTable::Cookies, Browser::Chrome, BrowserDatabaseKind::ChromeCookies,
                     emptyFile, &reporter)
                    .rows.isEmpty());
    EXPECT_TRUE(reporter.errors.isEmpty());
    EXPECT_EQ(
        reporter.warnings,
        QStringList{QStringLiteral("The browser database does not hold the expected table:\n") +
                    emptyFile});

    EXPECT_EQ(snapshot(evidence.path()), before);
}

TEST_F(DamagedBrowserDatabases, SchemaOfTheFileRunsNothing) {
    // A "visits" that is a view (here one that would never end) is not the
    // table the reader wants; a trigger never fires on reading.
    QTemporaryDir evidence;
    const QString path = evidence.filePath(QStringLiteral("History"));
    makeDatabase(path, "CREATE TABLE urls (id INTEGER PRIMARY KEY, url TEXT);"
                       "CREATE VIEW visits AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL "
                       "SELECT i + 1 FROM n) SELECT i AS id, 1 AS url, 0 AS visit_time FROM n;");
    CollectingReporter reporter;
    EXPECT_TRUE(load(BrowserTable::History, Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
                     path, &reporter)
                    .rows.isEmpty());
    EXPECT_EQ(reporter.warnings.size(), 1);
}

TEST_F(DamagedBrowserDatabases, QueryThatWouldRunOnAndOnIsStoppedByItsBudget) {
    // Address ids that are not unique make the visit join multiply: 4
    // million rows from two tables of 2000. The budget stops it.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History"));
    makeDatabase(path, R"(
        CREATE TABLE urls (id INTEGER, url TEXT, title TEXT);
        CREATE TABLE visits (id INTEGER PRIMARY KEY, url INTEGER, visit_time INTEGER);
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
        INSERT INTO urls SELECT 1, 'http://x.example/', 'x' FROM n;
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)
        INSERT INTO visits SELECT i, 1, 13300000000000000 FROM n;
    )");
    SqliteDatabase database;
    QString error;
    ASSERT_TRUE(database.open(path, QFileInfo(path).size(), &error)) << error.toStdString();
    database.setStepBudget(1000000);
    SqliteRows rows(database,
                    chromeVisitsQuery(database.columns("visits"), database.columns("urls")));
    int count = 0;
    while (rows.next())
        ++count;
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 2000 * 2000);
    EXPECT_EQ(rows.error(),
              QStringLiteral("reading took longer than a database of this size can need"));
}

TEST_F(DamagedBrowserDatabases, PrivateCopyIsGoneAfterTheRead) {
    QString folder;
    {
        DatabaseCopy copy;
        QString error;
        ASSERT_TRUE(copy.make(testDataPath(QStringLiteral("firefox-10-cookies.sqlite")), &error))
            << error.toStdString();
        folder = QFileInfo(copy.path()).path();
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_TRUE(QFileInfo::exists(copy.path()));
        EXPECT_EQ(copy.readFrom(), QStringLiteral("firefox-10-cookies.sqlite"));
    }
    EXPECT_FALSE(QFileInfo::exists(folder));
}

} // namespace
} // namespace vc::testing
