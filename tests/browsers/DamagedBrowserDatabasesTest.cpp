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
#include "evidence/EvidenceFiles.h"
#include "support/RunProgram.h"

#include <QRandomGenerator>
#include <QStorageInfo>

#include <sys/stat.h>
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

// The real History cut at 35,840 bytes (its schema loses the pages after
// the first: the downloads table is no longer known) and with header byte 20
// (the reserved bytes of each page) changed, which SQLite finds malformed on
// every page. Each is named as damaged after what could be read, and the
// sub-command exits 1.
TEST_F(DamagedBrowserDatabases, MalformedDatabasesAreNamedAsDamagedWithTheirReadableRows) {
    const QByteArray bytes = testDataBytes(QStringLiteral("chrome-History"));
    ASSERT_EQ(bytes.size(), 79872);
    QTemporaryDir profile;
    const QString folder =
        profile.filePath(QStringLiteral("AppData/Local/Google/Chrome/User Data/Default"));
    ASSERT_TRUE(QDir().mkpath(folder));
    copyTestFile(QStringLiteral("ntuser-win10.dat"),
                 profile.filePath(QStringLiteral("NTUSER.DAT")));
    const QString history = folder + QStringLiteral("/History");
    const auto write = [&](const QByteArray& content) {
        QFile file(history);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    };
    const QString damaged = QStringLiteral("The browser database is damaged:\n") + history +
                            QStringLiteral("\ndatabase disk image is malformed");
    const auto expected = urlsAndTimes(expectedRows(QStringLiteral("chrome-History.visits.tsv")));

    write(bytes.left(35840));
    CollectingReporter visits;
    const CollectingSink cutVisits = load(BrowserTable::History, Browser::Chrome,
                                          BrowserDatabaseKind::ChromeHistory, history, &visits);
    EXPECT_EQ(urlsAndTimes(cutVisits.rows), expected.mid(0, cutVisits.rows.size()));
    EXPECT_GT(cutVisits.rows.size(), 0);
    EXPECT_EQ(visits.errors, QStringList{damaged});
    CollectingReporter downloads;
    EXPECT_TRUE(load(BrowserTable::Downloads, Browser::Chrome, BrowserDatabaseKind::ChromeHistory,
                     history, &downloads)
                    .rows.isEmpty());
    EXPECT_EQ(downloads.errors, QStringList{damaged});
    EXPECT_TRUE(downloads.warnings.isEmpty()) << downloads.warnings.join(' ').toStdString();
    const ProgramRun cutRun =
        runProgram({QStringLiteral("web-downloads"), QStringLiteral("--profile"), profile.path()});
    EXPECT_EQ(cutRun.status, 1) << cutRun.err.constData();
    EXPECT_TRUE(cutRun.err.contains("The browser database is damaged")) << cutRun.err.constData();

    QByteArray reserved = bytes;
    reserved[20] = char(0xFF);
    write(reserved);
    for (BrowserTable table : {BrowserTable::History, BrowserTable::Downloads}) {
        CollectingReporter reporter;
        EXPECT_TRUE(
            load(table, Browser::Chrome, BrowserDatabaseKind::ChromeHistory, history, &reporter)
                .rows.isEmpty());
        EXPECT_EQ(reporter.errors, QStringList{damaged});
        EXPECT_TRUE(reporter.warnings.isEmpty());
    }
    const ProgramRun run =
        runProgram({QStringLiteral("web-history"), QStringLiteral("--profile"), profile.path()});
    EXPECT_EQ(run.status, 1) << run.err.constData();
    EXPECT_EQ(run.out.count('\n'), 1); // the caption line only
    EXPECT_TRUE(run.err.contains(QFile::encodeName(history))) << run.err.constData();
}

// The private copy keeps the holes of a sparse file (an 80 KB database whose
// apparent size is 2 GiB is copied as 80 KB, and reads as it is) and refuses
// what is larger than its bound or than the free space of the work folder,
// naming both sizes, before anything is copied.
TEST_F(DamagedBrowserDatabases, PrivateCopyKeepsHolesAndRefusesWhatCannotFit) {
    QTemporaryDir evidence;
    const QString path = evidence.filePath(QStringLiteral("History"));
    copyTestFile(QStringLiteral("chrome-History"), path);
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), qint64(2) << 30), 0);
    // Read long after its last access: a read would move the access time.
    const struct timespec old[2] = {{978307200, 0}, {1262304000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), old, 0), 0);
    {
        DatabaseCopy copy;
        QString error;
        ASSERT_TRUE(copy.make(localEvidenceFiles(), EvidenceFiles::pathBytes(path), &error))
            << error.toStdString();
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(copy.path()).constData(), &info), 0);
        EXPECT_EQ(info.st_size, qint64(2) << 30);
        EXPECT_LT(qint64(info.st_blocks) * 512, qint64(4) << 20);
        EXPECT_EQ(copy.size(), qint64(2) << 30);
        EXPECT_EQ(copy.readFrom(), QStringLiteral("History"));
    }
    EXPECT_EQ(load(BrowserTable::History, Browser::Chrome, BrowserDatabaseKind::ChromeHistory, path)
                  .rows.size(),
              69);
    struct stat evidenceInfo {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &evidenceInfo), 0);
    EXPECT_EQ(evidenceInfo.st_atim.tv_sec, 978307200);
    EXPECT_EQ(evidenceInfo.st_size, qint64(2) << 30);
    EXPECT_LT(qint64(evidenceInfo.st_blocks) * 512, qint64(4) << 20);

    // Larger than the bound: refused before the work folder is made.
    QTemporaryDir work;
    {
        DatabaseCopy copy;
        copy.setWorkFolder(work.path());
        copy.setSizeBound(qint64(1) << 30);
        QString error;
        EXPECT_FALSE(copy.make(path, &error));
        EXPECT_EQ(error, QStringLiteral("2147483648 bytes, more than the 1073741824 bytes a "
                                        "browser database is copied up to"));
        EXPECT_TRUE(QDir(work.path()).isEmpty());
    }
    // Larger than the free space: a sparse file of a size the disk lacks.
    const qint64 free = QStorageInfo(work.path()).bytesAvailable();
    ASSERT_GT(free, 0);
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), free + (qint64(1) << 30)), 0);
    {
        DatabaseCopy copy;
        copy.setWorkFolder(work.path());
        copy.setSizeBound(qint64(1) << 50);
        QString error;
        EXPECT_FALSE(copy.make(path, &error));
        EXPECT_TRUE(error.contains(QStringLiteral(" bytes free in the work folder ") + work.path()))
            << error.toStdString();
        EXPECT_TRUE(error.startsWith(QString::number(free + (qint64(1) << 30)) +
                                     QStringLiteral(" bytes, more than the ")));
    }
    EXPECT_TRUE(QDir(work.path()).isEmpty());
    // A write-ahead log counts with its database.
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), qint64(600) << 20), 0);
    QFile log(path + QStringLiteral("-wal"));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    ASSERT_TRUE(log.resize(qint64(600) << 20));
    log.close();
    DatabaseCopy both;
    both.setSizeBound(qint64(1) << 30);
    QString error;
    EXPECT_FALSE(both.make(path, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("1258291200 bytes"))) << error.toStdString();
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
